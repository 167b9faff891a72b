// Fuzzes the reader of launch-list files, which takes whatever bytes a file
// holds: the text it gives is always well-formed UTF-8 without a zero, and saving
// it and reading it again gives the same text.
#include "errors/Utf8.h"
#include "launch/ListText.h"
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
std::string Latin1(std::string_view ansi) {
    std::u16string wide(ansi.begin(), ansi.end());
    for (char16_t& c : wide)
        c &= 0xFF;
    return Utf16ToUtf8(wide);
}
bool NoCodePage(std::string_view, std::string&) {
    return false;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = DecodeListText(bytes, Latin1);
    if (!IsValidUtf8(text) || text.find('\0') != std::string::npos) std::abort();
    if (DecodeListText(EncodeListText(text, NoCodePage), Latin1) != text) std::abort();
    return 0;
}
