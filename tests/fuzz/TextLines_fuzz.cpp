// Fuzzes the two splitters of outside text: the lines of a loaded file (those
// of a launch list and of a list Kindlet edits alike) and the parameters of a
// command line.
#include "ui/Services.h"
#include "ui/StringList.h"
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
void Check(bool ok) {
    if (!ok) std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* text = reinterpret_cast<const char*>(data);

    // The one splitter: its lines and breaks put together again are the text up
    // to its first zero byte; no line holds a break, and a CR before an LF is
    // never a break of its own.
    const void* nul = std::memchr(text, 0, size);
    size_t used = nul ? static_cast<size_t>(static_cast<const char*>(nul) - text) : size;
    const std::vector<TextLine> lines = SplitLines({text, size});
    std::string joined;
    for (size_t i = 0; i < lines.size(); ++i) {
        const TextLine& l = lines[i];
        Check(l.text.find_first_of("\r\n") == std::string_view::npos);
        Check(l.end == "\r\n" || l.end == "\r" || l.end == "\n" ||
              (l.end.empty() && i + 1 == lines.size() && !l.text.empty()));
        if (l.end == "\r" && i + 1 < lines.size()) Check(lines[i + 1].text.substr(0, 1) != "\n");
        if (l.end == "\r" && i + 1 < lines.size() && lines[i + 1].text.empty())
            Check(lines[i + 1].end != "\n");
        joined.append(l.text).append(l.end);
    }
    Check(joined == std::string_view(text, used));

    // A StringList holds exactly those lines; loading again replaces them.
    StringList* list = CreateStringList();
    for (int load = 0; load < 2; ++load) {
        StringListSetText(list, text, size);
        Check(list->count == static_cast<int32_t>(lines.size()));
        for (int32_t i = 0; i < list->count; ++i)
            Check(StringListGet(list, i) == lines[static_cast<size_t>(i)].text);
    }
    Check(StringListGet(list, list->count).empty());
    Check(StringListGet(list, -1).empty());
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
