// Stands in for the Western code page in portable tests and fuzz targets: every
// byte is the character of that number, and back.
#pragma once
#include <string>
#include <string_view>

inline std::string Latin1(std::string_view ansi) {
    std::string out;
    for (unsigned char c : ansi) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

inline bool ToLatin1(std::string_view utf8, std::string& ansi) {
    ansi.clear();
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            ansi += static_cast<char>(c);
        } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size() &&
                   (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) {
            ansi += static_cast<char>(((c & 0x03) << 6) | (utf8[++i] & 0x3F));
        } else {
            return false;
        }
    }
    return true;
}
