// Lighter stand-ins for parts of the exception support, linked into paravue.exe
// only (the tests keep the library's own).
//
// - Finding the unwind record of a code address. The library's version sorts
//   the records of every registered module into search tables on first use
//   (some 8 KB of code). The program registers one table (its own, from the
//   start-up object) and throws only on its error paths, so a straight walk
//   through the table does.
// - The per-thread record of the exceptions being handled, kept in a Windows
//   thread-local slot instead of the compiler's emulated thread-locals.
// - Memory for thrown objects straight from malloc, with a few fixed blocks for
//   when malloc has none (an out-of-memory error must still be thrown). The
//   library's version keeps a 64 KB pool with its own allocator and lock.
// - The cleanup-only personality routine that whole-program optimisation gives
//   to some C++ functions: the C++ one reads the same tables and does the same
//   for cleanups.
#include <windows.h>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cxxabi.h>
#include <exception>
#include <unwind.h>

// The library's bookkeeping in front of every thrown object. Its size belongs
// to the library's release: a build with another release stops here until the
// size is checked (the allocation routine of that release adds it to the size).
#if !defined(_GLIBCXX_RELEASE) || _GLIBCXX_RELEASE != 12
#error "check the size of the exception header of this C++ library"
#endif
constexpr size_t kExceptionHeader = 96;

namespace {

// Blocks for thrown objects when malloc fails; objects larger than a block
// then end the program, as the library's own pool does when it runs dry.
constexpr int kSpareBlocks = 4;
constexpr size_t kSpareBlockSize = 256;
alignas(16) unsigned char spareBlocks[kSpareBlocks][kSpareBlockSize];
volatile LONG spareInUse[kSpareBlocks];

// The start of the program's unwind table, handed over by the start-up object.
const unsigned char* unwindTable;
void* registeredObject;

uint32_t Read32(const unsigned char* p) {
    uint32_t value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

void SkipLeb128(const unsigned char*& p) {
    while (*p++ & 0x80) {
    }
}

// A pointer stored in the table with the given encoding: 2 or 4 bytes,
// absolute or relative to where it is stored (what the compiler emits here).
uintptr_t ReadEncoded(unsigned char encoding, const unsigned char*& p) {
    const unsigned char* at = p;
    uintptr_t value;
    switch (encoding & 0x0f) {
    case 0x00: // absolute pointer
    case 0x03: // 4 bytes unsigned
    case 0x0b: // 4 bytes signed
        value = Read32(p);
        p += 4;
        break;
    case 0x02: // 2 bytes unsigned
        value = static_cast<uint16_t>(p[0] | p[1] << 8);
        p += 2;
        break;
    case 0x0a: // 2 bytes signed
        value = static_cast<uintptr_t>(static_cast<int16_t>(p[0] | p[1] << 8));
        p += 2;
        break;
    default:
        std::abort();
    }
    switch (encoding & 0x70) {
    case 0x00:
        break;
    case 0x10:
        value += reinterpret_cast<uintptr_t>(at);
        break;
    default:
        std::abort();
    }
    return value;
}

// How the function addresses of the records of a common entry are stored.
unsigned char AddressEncoding(const unsigned char* common) {
    const unsigned char* p = common + 8; // past length and identifier
    const unsigned char version = *p++;
    const char* augmentation = reinterpret_cast<const char*>(p);
    p += std::strlen(augmentation) + 1;
    if (augmentation[0] != 'z') return 0;
    SkipLeb128(p); // code alignment
    SkipLeb128(p); // data alignment
    if (version == 1)
        ++p; // return address register
    else
        SkipLeb128(p);
    SkipLeb128(p); // augmentation length
    for (const char* a = augmentation + 1; *a; ++a) {
        if (*a == 'R') return *p;
        if (*a == 'P') {
            const unsigned char personality = *p++;
            ReadEncoded(personality & 0x7f, p);
        } else if (*a == 'L' || *a == 'B') {
            ++p;
        } else {
            break;
        }
    }
    return 0;
}

} // namespace

extern "C" {

struct dwarf_eh_bases {
    void* tbase;
    void* dbase;
    void* func;
};

__attribute__((used, externally_visible)) void __register_frame_info(const void* begin,
                                                                     void* object) {
    unwindTable = static_cast<const unsigned char*>(begin);
    registeredObject = object;
}

__attribute__((used, externally_visible)) void* __deregister_frame_info(const void* begin) {
    if (begin != unwindTable) return nullptr;
    unwindTable = nullptr;
    return registeredObject;
}

// The record covering pc, or null. Records of functions the linker dropped
// have a null address and are passed over.
__attribute__((used, externally_visible)) const void* _Unwind_Find_FDE(void* pc,
                                                                       dwarf_eh_bases* bases) {
    const uintptr_t address = reinterpret_cast<uintptr_t>(pc);
    const unsigned char* entry = unwindTable;
    if (!entry) return nullptr;
    for (uint32_t length; (length = Read32(entry)) != 0; entry += 4 + length) {
        if (length == 0xffffffff) std::abort(); // 64-bit tables are not made here
        const uint32_t commonOffset = Read32(entry + 4);
        if (commonOffset == 0) continue; // a common entry, not a function's record
        const unsigned char encoding = AddressEncoding(entry + 4 - commonOffset);
        const unsigned char* p = entry + 8;
        const uintptr_t begin = ReadEncoded(encoding, p);
        const uintptr_t range = ReadEncoded(encoding & 0x0f, p);
        if (begin != 0 && address - begin < range) {
            bases->tbase = nullptr;
            bases->dbase = nullptr;
            bases->func = reinterpret_cast<void*>(begin);
            return entry;
        }
    }
    return nullptr;
}

_Unwind_Reason_Code __gxx_personality_v0(int, _Unwind_Action, _Unwind_Exception_Class,
                                         _Unwind_Exception*, _Unwind_Context*);

__attribute__((used, externally_visible)) _Unwind_Reason_Code
__gcc_personality_v0(int version, _Unwind_Action actions, _Unwind_Exception_Class exceptionClass,
                     _Unwind_Exception* exception, _Unwind_Context* context) {
    return __gxx_personality_v0(version, actions, exceptionClass, exception, context);
}

__attribute__((used, externally_visible)) void* __cxa_allocate_exception(size_t size) noexcept {
    auto* block = static_cast<unsigned char*>(std::malloc(size + kExceptionHeader));
    for (int i = 0; !block && i < kSpareBlocks; ++i) {
        if (size + kExceptionHeader <= kSpareBlockSize &&
            InterlockedCompareExchange(&spareInUse[i], 1, 0) == 0)
            block = spareBlocks[i];
    }
    if (!block) std::terminate();
    std::memset(block, 0, kExceptionHeader);
    return block + kExceptionHeader;
}

__attribute__((used, externally_visible)) void __cxa_free_exception(void* object) noexcept {
    unsigned char* block = static_cast<unsigned char*>(object) - kExceptionHeader;
    for (int i = 0; i < kSpareBlocks; ++i) {
        if (block == spareBlocks[i]) {
            InterlockedExchange(&spareInUse[i], 0);
            return;
        }
    }
    std::free(block);
}

} // extern "C"

namespace __cxxabiv1 {

// The library's layout: the chain of caught exceptions and the count of those
// thrown and not yet caught.
struct __cxa_eh_globals {
    void* caughtExceptions;
    unsigned int uncaughtExceptions;
};

extern "C" __attribute__((used, externally_visible)) __cxa_eh_globals*
__cxa_get_globals() noexcept {
    static DWORD slot = TLS_OUT_OF_INDEXES;
    // The thread-local calls may touch the thread's last error; callers' must survive.
    const DWORD error = GetLastError();
    if (slot == TLS_OUT_OF_INDEXES && (slot = TlsAlloc()) == TLS_OUT_OF_INDEXES) std::abort();
    void* record = TlsGetValue(slot);
    if (!record) {
        record = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(__cxa_eh_globals));
        if (!record || !TlsSetValue(slot, record)) std::abort();
    }
    SetLastError(error);
    return static_cast<__cxa_eh_globals*>(record);
}

extern "C" __attribute__((used, externally_visible)) __cxa_eh_globals*
__cxa_get_globals_fast() noexcept {
    return __cxa_get_globals();
}

} // namespace __cxxabiv1
