// Fuzzes the two splitters of outside text: the lines of a loaded file and the
// parameters of a command line.
#include "ui/Services.h"
#include "ui/StringList.h"
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
void Check(bool ok) {
    if (!ok) std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* text = reinterpret_cast<const char*>(data);

    StringList* list = CreateStringList();
    StringListSetText(list, text, size);
    // The text up to its first zero byte, rebuilt from the lines with one break
    // after each, holds the same characters apart from the breaks.
    const void* nul = std::memchr(text, 0, size);
    size_t used = nul ? static_cast<size_t>(static_cast<const char*>(nul) - text) : size;
    size_t breaks = 0, chars = 0;
    for (size_t i = 0; i < used; ++i) {
        if (text[i] == '\n' && i > 0 && text[i - 1] == '\r') continue;
        if (text[i] == '\r' || text[i] == '\n')
            ++breaks;
        else
            ++chars;
    }
    size_t got = 0;
    for (int32_t i = 0; i < list->count; ++i) {
        std::string line = StringListGet(list, i);
        Check(line.find_first_of("\r\n") == std::string::npos);
        got += line.size();
    }
    Check(got == chars);
    Check(list->count == static_cast<int32_t>(breaks) ||
          list->count == static_cast<int32_t>(breaks + 1));
    Check(StringListGet(list, list->count).empty());
    Check(StringListGet(list, -1).empty());
    // Loading again replaces, never appends.
    StringListSetText(list, text, size);
    Check(list->count == static_cast<int32_t>(breaks) ||
          list->count == static_cast<int32_t>(breaks + 1));
    FreeObject(list);

    // Command lines are short; keep the quadratic count cheap.
    std::string line(text, used < 512 ? used : 512);
    int count = CommandLineParamCount(line.c_str());
    Check(count >= 0 && static_cast<size_t>(count) <= line.size());
    for (int i = 0; i <= count + 1; ++i) {
        std::string p = CommandLineParam(line.c_str(), i);
        Check(p.size() <= line.size());
        if (i >= 1 && i <= count) Check(!p.empty());
        if (i > count) Check(p.empty());
    }
    return 0;
}
