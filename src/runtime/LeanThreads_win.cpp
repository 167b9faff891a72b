// The handful of thread primitives that the exception-unwinding support of the
// C++ runtime asks for (run-once, a lock, thread-local keys), made directly on
// Windows' own. Without them the linker brings in a whole POSIX-threads library
// (some 30 KB) for a program that runs a single thread. They stay correct with
// more threads, except that a key's destructor is not run when a thread ends.
// Linked into paravue.exe only.
#include <windows.h>
#include <cstdint>

extern "C" {

// The runtime's types: a once flag of 0 (not run), a lock word that is -1 for a
// statically initialised lock, and a key.
int pthread_once(long* once, void (*routine)(void)) {
    // 0 not run, 1 running, 2 done.
    if (InterlockedCompareExchange(once, 1, 0) == 0) {
        routine();
        InterlockedExchange(once, 2);
    } else {
        while (InterlockedCompareExchange(once, 2, 2) != 2)
            Sleep(0);
    }
    return 0;
}

static CRITICAL_SECTION* LockOf(intptr_t* lock) {
    intptr_t current = *lock;
    if (current != 0 && current != -1) return reinterpret_cast<CRITICAL_SECTION*>(current);
    auto* section =
        static_cast<CRITICAL_SECTION*>(HeapAlloc(GetProcessHeap(), 0, sizeof(CRITICAL_SECTION)));
    if (!section) return nullptr;
    InitializeCriticalSection(section);
    auto made = reinterpret_cast<LONG>(section);
    LONG before =
        InterlockedCompareExchange(reinterpret_cast<LONG*>(lock), made, static_cast<LONG>(current));
    if (before == static_cast<LONG>(current)) return section;
    // Another thread made it first.
    DeleteCriticalSection(section);
    HeapFree(GetProcessHeap(), 0, section);
    return reinterpret_cast<CRITICAL_SECTION*>(before);
}

int pthread_mutex_init(intptr_t* lock, const unsigned*) {
    *lock = -1;
    return 0;
}

int pthread_mutex_lock(intptr_t* lock) {
    CRITICAL_SECTION* section = LockOf(lock);
    if (!section) return ERROR_NOT_ENOUGH_MEMORY;
    EnterCriticalSection(section);
    return 0;
}

int pthread_mutex_unlock(intptr_t* lock) {
    if (*lock == 0 || *lock == -1) return 0;
    LeaveCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(*lock));
    return 0;
}

int pthread_mutex_destroy(intptr_t* lock) {
    if (*lock != 0 && *lock != -1) {
        auto* section = reinterpret_cast<CRITICAL_SECTION*>(*lock);
        DeleteCriticalSection(section);
        HeapFree(GetProcessHeap(), 0, section);
    }
    *lock = 0;
    return 0;
}

int pthread_key_create(unsigned* key, void (*)(void*)) {
    DWORD index = TlsAlloc();
    if (index == TLS_OUT_OF_INDEXES) return ERROR_NOT_ENOUGH_MEMORY;
    *key = index;
    return 0;
}

void* pthread_getspecific(unsigned key) {
    // TlsGetValue clears the thread's last error on success; the caller's must survive.
    DWORD error = GetLastError();
    void* value = TlsGetValue(key);
    SetLastError(error);
    return value;
}

int pthread_setspecific(unsigned key, const void* value) {
    return TlsSetValue(key, const_cast<void*>(value)) ? 0 : ERROR_INVALID_PARAMETER;
}

} // extern "C"
