// The handful of thread primitives that the C++ runtime's exception support
// asks for (run-once, a lock, thread-local keys), made directly on Windows' own.
// Without them the linker brings in a whole POSIX-threads library (some 30 KB)
// for a program that runs a single thread. They stay correct with more threads,
// except that a key's destructor is not run when a thread ends.
//
// The library's own header declares them: a changed type or signature in
// another release then fails to compile here instead of misreading its callers.
#include "runtime/CheckedToolchain.h"
#include <windows.h>
#include <cerrno>
#include <cstdlib>
#include <cxxabi.h>
#include <pthread.h>

namespace {

// A lock word holds one of the library's static initialisers until its first
// use, then the address of one of these.
struct Lock {
    CRITICAL_SECTION section;
    bool errorCheck; // relocking and unlocking by another thread are errors
};

// A zero word (a lock never initialised, or destroyed) counts as a plain one.
bool IsStaticInitialiser(pthread_mutex_t word) {
    return word == 0 || word == PTHREAD_MUTEX_INITIALIZER ||
           word == PTHREAD_NORMAL_MUTEX_INITIALIZER ||
           word == PTHREAD_ERRORCHECK_MUTEX_INITIALIZER ||
           word == PTHREAD_RECURSIVE_MUTEX_INITIALIZER;
}

// The lock of a word, made on first use. Two threads may arrive at a fresh word
// together: both make one, the first to swap its address in wins and the other
// drops its own.
Lock* LockOf(pthread_mutex_t* word) {
    for (;;) {
        const pthread_mutex_t current = *word;
        if (!IsStaticInitialiser(current)) return reinterpret_cast<Lock*>(current);
        auto* lock = static_cast<Lock*>(HeapAlloc(GetProcessHeap(), 0, sizeof(Lock)));
        if (!lock) return nullptr;
        InitializeCriticalSection(&lock->section);
        lock->errorCheck = current == PTHREAD_ERRORCHECK_MUTEX_INITIALIZER;
        const LONG before =
            InterlockedCompareExchange(reinterpret_cast<volatile LONG*>(word),
                                       reinterpret_cast<LONG>(lock), static_cast<LONG>(current));
        if (before == static_cast<LONG>(current)) return lock;
        DeleteCriticalSection(&lock->section);
        HeapFree(GetProcessHeap(), 0, lock);
    }
}

bool OwnedByThisThread(const Lock* lock) {
    return reinterpret_cast<DWORD>(lock->section.OwningThread) == GetCurrentThreadId();
}

} // namespace

extern "C" {

// 0 not run, 1 running, 2 done. Whoever comes while it runs waits for the end.
int pthread_once(pthread_once_t* once, void (*routine)(void)) {
    static_assert(PTHREAD_ONCE_INIT == 0);
    if (InterlockedCompareExchange(once, 1, 0) == 0) {
        routine();
        InterlockedExchange(once, 2);
    } else {
        while (InterlockedCompareExchange(once, 2, 2) != 2)
            Sleep(0);
    }
    return 0;
}

// The library sets its locks up with the static initialisers; a lock with
// attributes would need their private layout, so it is refused, not misread.
int pthread_mutex_init(pthread_mutex_t* word, const pthread_mutexattr_t* attributes) {
    if (attributes) return ENOTSUP;
    *word = PTHREAD_MUTEX_INITIALIZER;
    return 0;
}

int pthread_mutex_lock(pthread_mutex_t* word) {
    Lock* lock = LockOf(word);
    if (!lock) return ENOMEM;
    if (lock->errorCheck && OwnedByThisThread(lock)) return EDEADLK;
    EnterCriticalSection(&lock->section);
    return 0;
}

int pthread_mutex_unlock(pthread_mutex_t* word) {
    const pthread_mutex_t current = *word;
    if (IsStaticInitialiser(current)) return EPERM; // never locked
    auto* lock = reinterpret_cast<Lock*>(current);
    if (!OwnedByThisThread(lock)) return EPERM;
    LeaveCriticalSection(&lock->section);
    return 0;
}

int pthread_mutex_destroy(pthread_mutex_t* word) {
    const pthread_mutex_t current = *word;
    if (!IsStaticInitialiser(current)) {
        auto* lock = reinterpret_cast<Lock*>(current);
        if (lock->section.OwningThread) return EBUSY;
        DeleteCriticalSection(&lock->section);
        HeapFree(GetProcessHeap(), 0, lock);
    }
    *word = 0;
    return 0;
}

int pthread_key_create(pthread_key_t* key, void (*)(void*)) {
    const DWORD index = TlsAlloc();
    if (index == TLS_OUT_OF_INDEXES) return EAGAIN;
    *key = index;
    return 0;
}

void* pthread_getspecific(pthread_key_t key) {
    // TlsGetValue clears the thread's last error on success; the caller's must survive.
    const DWORD error = GetLastError();
    void* value = TlsGetValue(key);
    SetLastError(error);
    return value;
}

int pthread_setspecific(pthread_key_t key, const void* value) {
    return TlsSetValue(key, const_cast<void*>(value)) ? 0 : EINVAL;
}

} // extern "C"

// The record of the exceptions a thread is handling (the C++ ABI's
// __cxa_eh_globals: the stack of caught ones and the count of those thrown and
// not yet caught), in place of the library's, which keeps it in emulated
// thread-local storage and brings that emulation's allocator (some 1 KB). Here
// one slot of the system's own thread-local storage; a thread's record is made
// zeroed on its first use and, as the library's is with these keys, never freed.
namespace {
struct ExceptionsRecord {
    void* caughtExceptions;
    unsigned int uncaughtExceptions;
};
pthread_once_t recordSlotOnce = PTHREAD_ONCE_INIT;
DWORD recordSlot;

void MakeRecordSlot() {
    recordSlot = TlsAlloc();
}
} // namespace

namespace __cxxabiv1 {
extern "C" __cxa_eh_globals* __cxa_get_globals() noexcept {
    pthread_once(&recordSlotOnce, MakeRecordSlot);
    if (recordSlot == TLS_OUT_OF_INDEXES) std::abort();
    // TlsGetValue clears the thread's last error on success; the caller's must survive.
    const DWORD error = GetLastError();
    void* record = TlsGetValue(recordSlot);
    if (!record) {
        record = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ExceptionsRecord));
        if (!record || !TlsSetValue(recordSlot, record)) std::abort();
    }
    SetLastError(error);
    return static_cast<__cxa_eh_globals*>(record);
}

extern "C" __cxa_eh_globals* __cxa_get_globals_fast() noexcept {
    return __cxa_get_globals();
}
} // namespace __cxxabiv1
