#include "ui/StringList.h"
#include "ui/ObjectList.h"
#include <cstdlib>
#include <cstring>
#include <new>

StringList::StringList() : lines(CreateList()) {}

StringList::~StringList() {
    std::free(block);
    FreeObject(lines);
}

void StringList::Destroy() {
    BaseObject::Destroy();
}

StringList* CreateStringList() {
    return new StringList();
}

void StringListClear(StringList* list) {
    ListClear(list->lines);
    std::free(list->block);
    list->block = nullptr;
    list->count = 0;
    list->used = 0;
}

std::vector<TextLine> SplitLines(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<TextLine> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        const size_t breakLength = text.substr(i, 2) == "\r\n" ? 2 : 1;
        lines.push_back({text.substr(start, i - start), text.substr(i, breakLength)});
        i += breakLength - 1;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back({text.substr(start), {}});
    return lines;
}

void StringListSetText(StringList* list, const char* data, size_t size) {
    StringListClear(list);
    const void* nul = std::memchr(data, 0, size);
    if (nul) size = static_cast<const char*>(nul) - data;
    if (size == 0) return;

    list->block = static_cast<char*>(std::malloc(size + 1));
    if (!list->block) throw std::bad_alloc();
    std::memcpy(list->block, data, size);
    list->block[size] = 0;
    list->used = size + 1;

    // The break characters become the line terminators inside the block.
    char* block = list->block;
    for (const TextLine& line : SplitLines({block, size})) {
        char* start = block + (line.text.data() - block);
        std::memset(start + line.text.size(), 0, line.end.size());
        ListAdd(list->lines, start);
    }
    list->count = list->lines->count;
}

std::string StringListGet(const StringList* list, int32_t n) {
    const char* line = static_cast<const char*>(ListGet(list->lines, n));
    return line ? std::string(line) : std::string();
}
