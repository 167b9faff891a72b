#include "launch/ListText.h"
#include "errors/Utf8.h"

ListMark MarkOf(std::string_view bytes) {
    // In the order of ListMark.
    constexpr std::string_view kMarks[] = {kUtf8Mark, "\xFF\xFE", "\xFE\xFF"};
    int i = 0;
    while (i < 3 && !bytes.starts_with(kMarks[i]))
        ++i;
    return static_cast<ListMark>(i);
}

namespace {
std::string_view UpToZero(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

std::string WellFormed(std::string_view utf8) {
    return IsValidUtf8(utf8) ? std::string(utf8) : Utf16ToUtf8(Utf8ToUtf16(utf8));
}

std::string FromUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[i + (bigEndian ? 1 : 0)]);
        const auto hi = static_cast<unsigned char>(bytes[i + (bigEndian ? 0 : 1)]);
        const char16_t unit = static_cast<char16_t>(lo | (hi << 8));
        if (unit == 0) break;
        units += unit;
    }
    return Utf16ToUtf8(units);
}
} // namespace

std::string DecodeListText(std::string_view bytes, AnsiToUtf8Fn fromAnsi) {
    switch (MarkOf(bytes)) {
    case ListMark::Utf8:
        return WellFormed(UpToZero(bytes.substr(3)));
    case ListMark::Utf16Le:
        return FromUtf16(bytes.substr(2), false);
    case ListMark::Utf16Be:
        return FromUtf16(bytes.substr(2), true);
    case ListMark::None:
        break;
    }
    const std::string_view text = UpToZero(bytes);
    if (IsValidUtf8(text)) return std::string(text);
    return WellFormed(fromAnsi(text));
}

std::string EncodeListText(const std::string& utf8, Utf8ToAnsiFn toAnsi) {
    std::string ansi;
    // Code-page bytes that would be read back as other text carry the mark
    // instead: bytes that happen to be well-formed UTF-8, and bytes that begin as
    // a mark does ("ï»¿", "ÿþ", "þÿ" in the Western code page).
    if (toAnsi(utf8, ansi) && MarkOf(ansi) == ListMark::None &&
        (ansi == utf8 || !IsValidUtf8(ansi)))
        return ansi;
    return kUtf8Mark + utf8;
}
