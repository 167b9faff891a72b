// The unwinder's search for the table entry of a code address, in place of the
// library's (some 8 KB: it counts, sorts and merges the entries of every table
// into arrays on the first throw, under a lock). A throw is rare here and the
// program has one table of a few hundred entries: a walk through it from the
// start is quick enough, and it is the library's own fallback when it cannot
// sort. Read as the library reads it: the same entry encodings, the same end
// mark, entries of removed functions (address 0) passed over.
//
// crtbegin.o hands in the table before any static constructor runs and takes
// it back at exit; the library's routine for that (and its lock) is not linked.
#include "runtime/CheckedToolchain.h"
#include <cstdint>
#include <cstring>

extern "C" {
// The unwinder's record of the bases an entry's addresses are relative to.
struct dwarf_eh_bases {
    void* tbase;
    void* dbase;
    void* func;
};
}

namespace {

// The registered tables, linked through the space their owner set aside for
// the library's record (six words; two are used).
struct Table {
    const uint8_t* begin;
    Table* next;
};
Table* tables;

uint32_t Word(const uint8_t* p) {
    uint32_t value;
    memcpy(&value, p, sizeof value);
    return value;
}

// A variable-length number: seven bits a byte, the lowest first; the top bit
// says another byte follows. With sign, bit 6 of the last byte is the sign.
const uint8_t* ReadLeb128(const uint8_t* p, uintptr_t& value, bool withSign = false) {
    value = 0;
    unsigned shift = 0;
    uint8_t byte;
    do {
        byte = *p++;
        if (shift < 32) value |= uintptr_t{byte & 0x7Fu} << shift;
        shift += 7;
    } while (byte & 0x80);
    if (withSign && shift < 32 && (byte & 0x40)) value |= ~uintptr_t{0} << shift;
    return p;
}

const uint8_t* SkipLeb128(const uint8_t* p) {
    uintptr_t ignored;
    return ReadLeb128(p, ignored);
}

// DWARF pointer encodings: the low four bits give the form, the next three
// what the value is relative to, the top bit an indirection.
enum : uint8_t {
    kAbsolute = 0x00,
    kULeb128 = 0x01,
    kUData2 = 0x02,
    kUData8 = 0x04,
    kSLeb128 = 0x09,
    kSData2 = 0x0A,
    kSData8 = 0x0C,
    kPcRelative = 0x10,
    kAligned = 0x50,
    kIndirect = 0x80,
};

// Reads a value of the encoding at p into value and returns the place after it.
// As in the library: a stored 0 stays 0 (no base is added), and the text and
// data bases of a table registered this way are 0.
const uint8_t* ReadEncoded(uint8_t encoding, const uint8_t* p, uintptr_t& value) {
    const uint8_t* at = p;
    if (encoding == kAligned) {
        p = reinterpret_cast<const uint8_t*>((reinterpret_cast<uintptr_t>(p) + 3) & ~uintptr_t{3});
        value = Word(p);
        return p + 4;
    }
    switch (encoding & 0x0F) {
    case kULeb128:
    case kSLeb128:
        p = ReadLeb128(p, value, (encoding & 0x0F) == kSLeb128);
        break;
    case kUData2:
        value = static_cast<uint16_t>(Word(p));
        p += 2;
        break;
    case kSData2:
        value = static_cast<uintptr_t>(static_cast<int16_t>(Word(p)));
        p += 2;
        break;
    case kUData8:
    case kSData8:
        value = Word(p);
        p += 8;
        break;
    default: // the absolute pointer and the four-byte forms
        value = Word(p);
        p += 4;
        break;
    }
    if (value != 0) {
        if ((encoding & 0x70) == kPcRelative) value += reinterpret_cast<uintptr_t>(at);
        if (encoding & kIndirect) value = *reinterpret_cast<const uintptr_t*>(value);
    }
    return p;
}

// The encoding of the addresses in the entries of a common record: the 'R' of
// its augmentation; none given is an absolute pointer.
uint8_t EntryEncoding(const uint8_t* cie) {
    const uint8_t version = cie[8];
    const char* augmentation = reinterpret_cast<const char*>(cie + 9);
    const uint8_t* p = cie + 9 + strlen(augmentation) + 1;
    if (version >= 4) p += 2; // address and segment sizes
    if (*augmentation != 'z') return kAbsolute;
    p = SkipLeb128(p);                        // code alignment
    p = SkipLeb128(p);                        // data alignment
    p = version == 1 ? p + 1 : SkipLeb128(p); // return address column
    p = SkipLeb128(p);                        // augmentation length
    for (const char* a = augmentation + 1;; ++a) {
        uintptr_t ignored;
        if (*a == 'R') return *p;
        if (*a == 'P')
            p = ReadEncoded(*p & 0x7F, p + 1, ignored);
        else if (*a == 'L' || *a == 'B')
            ++p;
        else
            return kAbsolute;
    }
}

} // namespace

extern "C" {

__attribute__((used)) void __register_frame_info(const void* begin, void* record) {
    static_assert(sizeof(Table) <= 6 * sizeof(void*), "the owner's record holds six words");
    auto* table = static_cast<Table*>(record);
    // An empty table (its end mark first) is not kept, as in the library.
    if (!begin || Word(static_cast<const uint8_t*>(begin)) == 0) return;
    table->begin = static_cast<const uint8_t*>(begin);
    table->next = tables;
    __atomic_store_n(&tables, table, __ATOMIC_RELEASE);
}

__attribute__((used)) void* __deregister_frame_info(const void* begin) {
    for (Table** link = &tables; *link; link = &(*link)->next)
        if ((*link)->begin == begin) {
            Table* table = *link;
            *link = table->next;
            return table;
        }
    return nullptr;
}

// The entry whose code holds pc, with the bases its addresses need; null where
// there is none, and the unwinder ends the search there.
__attribute__((used)) const void* _Unwind_Find_FDE(void* pc, dwarf_eh_bases* bases) {
    const auto address = reinterpret_cast<uintptr_t>(pc);
    for (const Table* table = __atomic_load_n(&tables, __ATOMIC_ACQUIRE); table;
         table = table->next) {
        const uint8_t* lastCie = nullptr;
        uint8_t encoding = kAbsolute;
        // Each entry: its length (0 marks the end), then the distance back to
        // its common record (0: it is one), then the code's start and length.
        for (const uint8_t* entry = table->begin; Word(entry) != 0; entry += 4 + Word(entry)) {
            const auto cieDistance = static_cast<int32_t>(Word(entry + 4));
            if (cieDistance == 0) continue;
            const uint8_t* cie = entry + 4 - cieDistance;
            if (cie != lastCie) {
                lastCie = cie;
                encoding = EntryEncoding(cie);
            }
            uintptr_t begin, length;
            const uint8_t* p = ReadEncoded(encoding, entry + 8, begin);
            ReadEncoded(encoding & 0x0F, p, length);
            if (begin == 0 || address - begin >= length) continue;
            bases->tbase = nullptr;
            bases->dbase = nullptr;
            bases->func = reinterpret_cast<void*>(begin);
            return entry;
        }
    }
    return nullptr;
}

} // extern "C"
