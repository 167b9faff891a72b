// Text inside the program is UTF-8 in std::string; the system's wide calls take
// UTF-16. These convert between the two and answer the few questions the rest of
// the program asks about UTF-8 text. Nothing here depends on the system.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Malformed UTF-8 (a stray byte, an overlong form, a surrogate, a cut-short
// sequence) becomes U+FFFD, one per bad byte.
std::u16string Utf8ToUtf16(std::string_view text);
// A surrogate without its partner becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
// Strict: true only for well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool IsValidUtf8(std::string_view text);
// The number of characters (code points) of text; a malformed byte counts as one.
size_t Utf8Length(std::string_view text);
// The bytes of text's first n characters; a character is never cut.
size_t Utf8PrefixBytes(std::string_view text, size_t n);
