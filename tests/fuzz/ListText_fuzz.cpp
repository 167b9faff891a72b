// Fuzzes the reader of launch-list files, which takes whatever bytes a file
// holds: the text it gives is always well-formed UTF-8 without a zero, and saving
// it and reading it again gives the same text, whether it is saved in the code
// page (a Western one stands in) or, when it does not fit one, as UTF-8.
#include "errors/Utf8.h"
#include "launch/ListText.h"
#include "support/Latin1.h"
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
bool NoCodePage(std::string_view, std::string&) {
    return false;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = DecodeListText(bytes, Latin1);
    if (!IsValidUtf8(text) || text.find('\0') != std::string::npos) std::abort();
    if (DecodeListText(EncodeListText(text, NoCodePage), Latin1) != text) std::abort();
    if (DecodeListText(EncodeListText(text, ToLatin1), Latin1) != text) std::abort();
    // Text made of the code page's own characters (every byte read as one):
    // the bytes a list in the code page holds, also those that begin like a mark.
    const std::string western = Latin1(bytes.substr(0, bytes.find('\0')));
    if (DecodeListText(EncodeListText(western, ToLatin1), Latin1) != western) std::abort();
    return 0;
}
