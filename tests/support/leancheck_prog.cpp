// Built exactly as paravue.exe is (whole-program optimisation, and with the
// runtime stand-ins their entry and pieces) to show that what the program relies
// on works there: static constructors, throwing and catching, the library's error
// messages, exit codes, locks and threads, and an exception nobody catches
// ending the process.
//
//   leancheck.exe catch     exit code 0 when every check holds, else the check's number
//   leancheck.exe exit      exit code 7, returned from WinMain
//   leancheck.exe uncaught  throws and catches nothing: ends through the terminate handler
//   leancheck.exe threads   exit code 0 when the thread primitives hold, else the check's number
#include <windows.h>
#include <pthread.h>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace {
struct Constructed {
    Constructed() : value(42) {}
    int value;
};
Constructed constructed; // must be set up before WinMain runs

std::string text = "abc"; // a global with a destructor, run at exit

// Frames between the throw and the catch, each with something to clean up:
// the unwinder must find every frame's record and run the destructors. With
// nothing to catch, ThrowFrom gets the C personality routine from link-time
// optimisation, which the stand-ins hand to the C++ one.
int cleaned = 0;
struct Cleanup {
    ~Cleanup() { ++cleaned; }
};
__attribute__((noinline)) void ThrowFrom(int depth) {
    Cleanup c;
    if (depth == 0) throw std::string("deep");
    ThrowFrom(depth - 1);
    cleaned += 100; // never reached
}

int Checks() {
    if (constructed.value != 42) return 1;
    try {
        throw std::bad_alloc();
    } catch (const std::exception&) {
    } catch (...) {
        return 2;
    }
    try {
        volatile size_t at = 5;
        std::string piece = text.substr(at);
        return 3;
    } catch (const std::exception& e) {
        // The library's message with its numbers filled in.
        const std::string what = e.what();
        if (what.find("substr") == std::string::npos) return 4;
        if (what.find("5") == std::string::npos || what.find("3") == std::string::npos) return 5;
        if (what.find('%') != std::string::npos) return 6;
    }
    try {
        std::vector<int> v;
        v.reserve(v.max_size() + 1);
        return 7;
    } catch (const std::exception& e) {
        if (!*e.what()) return 8;
    }
    try {
        std::string s;
        s.reserve(s.max_size() + 1);
        return 9;
    } catch (const std::exception& e) {
        if (!*e.what()) return 10;
    }
    try {
        ThrowFrom(3);
        return 11;
    } catch (const std::string& s) {
        if (s != "deep" || cleaned != 4) return 12;
    }
    try {
        // More than the address space: operator new has no memory to give.
        volatile size_t huge = ~size_t{0} - 64;
        void* never = ::operator new(huge);
        ::operator delete(never);
        return 14;
    } catch (const std::bad_alloc&) {
    }
    try {
        try {
            throw 5;
        } catch (int) {
            throw; // rethrown from inside the handler
        }
    } catch (int n) {
        if (n != 5) return 13;
    }
    return 0;
}

// Threads that start together: each makes its first throw at once (the runtime
// sets up its per-thread record then) and counts under one fresh lock.
constexpr int kThreads = 8;
constexpr int kRounds = 2000;
HANDLE go;
pthread_mutex_t sharedLock = PTHREAD_MUTEX_INITIALIZER;
long counted = 0;
volatile LONG caught = 0;

DWORD WINAPI Racer(void*) {
    WaitForSingleObject(go, INFINITE);
    for (int i = 0; i < 20; ++i) {
        try {
            throw std::string("thread");
        } catch (const std::string& s) {
            if (s == "thread") InterlockedIncrement(&caught);
        }
    }
    for (int i = 0; i < kRounds; ++i) {
        if (pthread_mutex_lock(&sharedLock) != 0) return 1;
        const long seen = counted;
        if (i % 64 == 0) Sleep(0); // let another thread try the lock meanwhile
        counted = seen + 1;
        pthread_mutex_unlock(&sharedLock);
    }
    return 0;
}

int ThreadChecks() {
    // Every kind of statically initialised lock works as its kind says.
    pthread_mutex_t plain = PTHREAD_MUTEX_INITIALIZER;
    if (pthread_mutex_lock(&plain) != 0 || pthread_mutex_unlock(&plain) != 0) return 1;
    pthread_mutex_t recursive = PTHREAD_RECURSIVE_MUTEX_INITIALIZER;
    if (pthread_mutex_lock(&recursive) != 0 || pthread_mutex_lock(&recursive) != 0) return 2;
    if (pthread_mutex_unlock(&recursive) != 0 || pthread_mutex_unlock(&recursive) != 0) return 3;
    pthread_mutex_t checked = PTHREAD_ERRORCHECK_MUTEX_INITIALIZER;
    if (pthread_mutex_lock(&checked) != 0) return 4;
    if (pthread_mutex_lock(&checked) != EDEADLK) return 5;
    if (pthread_mutex_unlock(&checked) != 0) return 6;
    for (pthread_mutex_t* m : {&plain, &recursive, &checked})
        if (pthread_mutex_destroy(m) != 0) return 8;

    go = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE threads[kThreads];
    for (HANDLE& t : threads)
        if (!(t = CreateThread(nullptr, 0, Racer, nullptr, 0, nullptr))) return 9;
    SetEvent(go);
    if (WaitForMultipleObjects(kThreads, threads, TRUE, 20000) != WAIT_OBJECT_0) return 10;
    for (HANDLE t : threads) {
        DWORD code = 1;
        GetExitCodeThread(t, &code);
        CloseHandle(t);
        if (code != 0) return 11;
    }
    if (caught != kThreads * 20) return 12;
    if (counted != kThreads * kRounds) return 13;
    return 0;
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    const std::string mode = commandLine;
    if (mode == "catch") return Checks();
    if (mode == "exit") return 7;
    if (mode == "threads") return ThreadChecks();
    if (mode == "uncaught") throw 1;
    return 100;
}
