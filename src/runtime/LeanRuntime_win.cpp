// Lighter stand-ins for the few pieces of the C++ runtime that the program would
// otherwise drag in whole. Linked into paravue.exe and leancheck.exe, which
// checks them (the test suites keep the library's own).
//
// - The library's terminate handler demangles the type of the exception and
//   prints it to the standard error stream, which a windowed program does not
//   have; it pulls in a demangler and a printf of some 60 KB. Ours just aborts,
//   as that handler does after printing.
// - The routines that the string and container templates call to throw their
//   errors live in one library object with every standard exception class and a
//   second, reference-counted string implementation (some 85 KB); the one of
//   std::function brings its own class. Ours throw an exception with the same
//   message; nothing in the program catches these by their exact class, only as
//   std::exception for the unhandled-error report.
// - The library's operator new asks a new-handler for memory before it gives
//   up, which brings the handler's store; the program never sets one, so ours
//   gives up at once, with the same std::bad_alloc.
// - Link-time optimisation gives a function whose only exception regions are
//   cleanups (destructors on the way out) the personality routine of C, with
//   its own reader of the same tables (some 1.5 KB), whenever it compiles such a
//   function before it has read one that names the C++ routine. Every function
//   here is C++: the C++ routine runs those cleanups just the same.
#include "runtime/CheckedToolchain.h"
#include <cstdarg>
#include <cstddef>
#include <cstdlib>
#include <exception>
#include <new>
#include <unwind.h>

namespace {

class LibraryError : public std::exception {
  public:
    explicit LibraryError(const char* message) : message_(message) {}
    const char* what() const noexcept override { return message_; }

  private:
    const char* message_;
};

// The message of the one error in flight; the program has one thread.
char formatted[256];

// The library's messages use only %s, %zu and %%.
const char* FormatLibraryMessage(const char* format, va_list args) {
    size_t n = 0;
    auto put = [&](char c) {
        if (n + 1 < sizeof formatted) formatted[n++] = c;
    };
    for (const char* p = format; *p; ++p) {
        if (*p != '%') {
            put(*p);
            continue;
        }
        if (p[1] == 's') {
            for (const char* s = va_arg(args, const char*); s && *s; ++s)
                put(*s);
            p += 1;
        } else if (p[1] == 'z' && p[2] == 'u') {
            char digits[12];
            int count = 0;
            size_t value = va_arg(args, size_t);
            do {
                digits[count++] = static_cast<char>('0' + value % 10);
                value /= 10;
            } while (value);
            while (count)
                put(digits[--count]);
            p += 2;
        } else if (p[1] == '%') {
            put('%');
            p += 1;
        } else {
            put('%');
        }
    }
    formatted[n] = '\0';
    return formatted;
}

} // namespace

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx

namespace std {
void __throw_bad_alloc() {
    throw std::bad_alloc();
}
void __throw_bad_array_new_length() {
    throw std::bad_array_new_length();
}
void __throw_length_error(const char* message) {
    throw LibraryError(message);
}
void __throw_logic_error(const char* message) {
    throw LibraryError(message);
}
void __throw_bad_function_call() {
    throw LibraryError("bad_function_call");
}
void __throw_out_of_range_fmt(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const char* message = FormatLibraryMessage(format, args);
    va_end(args);
    throw LibraryError(message);
}
} // namespace std

extern "C" {
_Unwind_Reason_Code __gxx_personality_v0(int version, _Unwind_Action actions,
                                         _Unwind_Exception_Class exceptionClass,
                                         _Unwind_Exception* exception, _Unwind_Context* context);

// Kept through link-time optimisation: the reference to it is made there.
__attribute__((used, externally_visible)) _Unwind_Reason_Code
__gcc_personality_v0(int version, _Unwind_Action actions, _Unwind_Exception_Class exceptionClass,
                     _Unwind_Exception* exception, _Unwind_Context* context) {
    return __gxx_personality_v0(version, actions, exceptionClass, exception, context);
}
}

void* operator new(std::size_t size) {
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
