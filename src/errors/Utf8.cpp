#include "errors/Utf8.h"
#include <cstdint>

namespace {
constexpr char32_t kReplacement = 0xFFFD;

// The character starting at text[i] and its length in bytes; a malformed
// sequence gives U+FFFD and length 1, so that decoding goes on at the next byte.
char32_t DecodeAt(std::string_view text, size_t i, size_t& length) {
    const auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
    const uint8_t b0 = byte(i);
    length = 1;
    if (b0 < 0x80) return b0;
    size_t n;
    char32_t c;
    char32_t min;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        n = 2, c = b0 & 0x1F, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        n = 3, c = b0 & 0x0F, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        n = 4, c = b0 & 0x07, min = 0x10000;
    } else {
        return kReplacement;
    }
    if (text.size() - i < n) return kReplacement;
    for (size_t k = 1; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return kReplacement;
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return kReplacement;
    length = n;
    return c;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}
} // namespace

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0, n = 0; i < text.size(); i += n) {
        char32_t c = DecodeAt(text, i, n);
        if (c < 0x10000) {
            out += static_cast<char16_t>(c);
        } else {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

bool IsValidUtf8(std::string_view text) {
    for (size_t i = 0, n = 0; i < text.size(); i += n)
        if (DecodeAt(text, i, n) == kReplacement && n == 1 && static_cast<uint8_t>(text[i]) >= 0x80)
            return false;
    return true;
}

size_t Utf8Length(std::string_view text) {
    size_t count = 0;
    for (size_t i = 0, n = 0; i < text.size(); i += n, ++count)
        DecodeAt(text, i, n);
    return count;
}

size_t Utf8PrefixBytes(std::string_view text, size_t chars) {
    size_t i = 0, n = 0;
    for (; i < text.size() && chars > 0; i += n, --chars)
        DecodeAt(text, i, n);
    return i;
}
