// Built exactly as paravue.exe is (its own entry, the lighter runtime pieces,
// whole-program optimisation) to show that what the program relies on still
// works there: static constructors, throwing and catching, the library's error
// messages, exit codes, and an exception nobody catches ending the process.
//
//   leancheck.exe catch     exit code 0 when every check holds, else the check's number
//   leancheck.exe exit      exit code 7, returned from WinMain
//   leancheck.exe uncaught  throws and catches nothing: ends through the terminate handler
#include <windows.h>
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
// the unwinder must find every frame's record and run the destructors.
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
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    const std::string mode = commandLine;
    if (mode == "catch") return Checks();
    if (mode == "exit") return 7;
    if (mode == "uncaught") throw 1;
    return 100;
}
