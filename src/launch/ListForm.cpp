#include "launch/ListForm.h"
#include "errors/Utf8.h"

namespace {
std::string Utf16Bytes(const std::string& utf8, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : Utf8ToUtf16(utf8)) {
        const char lo = static_cast<char>(unit & 0xFF), hi = static_cast<char>(unit >> 8);
        bytes += bigEndian ? hi : lo;
        bytes += bigEndian ? lo : hi;
    }
    return bytes;
}

bool IsAscii(std::string_view bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// Tab, LF, VT, FF, CR and the old end-of-file mark (Ctrl+Z) occur in text files;
// any other control character says the bytes are something else.
bool HasForeignControl(std::string_view text) {
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 && !(u >= '\t' && u <= '\r') && u != 0x1A) return true;
    }
    return false;
}
} // namespace

std::string EncodeListLike(std::string_view original, const std::string& utf8,
                           Utf8ToAnsiFn toAnsi) {
    switch (MarkOf(original)) {
    case ListMark::Utf16Le:
        return Utf16Bytes(utf8, false);
    case ListMark::Utf16Be:
        return Utf16Bytes(utf8, true);
    case ListMark::Utf8:
        return kUtf8Mark + utf8;
    case ListMark::None:
        break;
    }
    // Text that begins with the mark's own character keeps it only behind a mark.
    if (!IsAscii(original) && IsValidUtf8(original) && MarkOf(utf8) != ListMark::Utf8) return utf8;
    return EncodeListText(utf8, toAnsi);
}

bool ReadListText(std::string_view bytes, AnsiToUtf8Fn fromAnsi, Utf8ToAnsiFn toAnsi,
                  std::string& utf8) {
    utf8 = DecodeListText(bytes, fromAnsi);
    return !HasForeignControl(utf8) && EncodeListLike(bytes, utf8, toAnsi) == bytes;
}
