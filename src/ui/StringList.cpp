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

    // Editors write CR LF, CR or LF alone; each of them ends a line. The break
    // characters become the line terminators inside the block.
    char* text = list->block;
    size_t start = 0;
    for (size_t i = 0; i < size; ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        bool crlf = text[i] == '\r' && i + 1 < size && text[i + 1] == '\n';
        text[i] = 0;
        ListAdd(list->lines, text + start);
        if (crlf) text[++i] = 0;
        start = i + 1;
    }
    if (start < size) ListAdd(list->lines, text + start);
    list->count = list->lines->count;
}

std::string StringListGet(const StringList* list, int32_t n) {
    const char* line = static_cast<const char*>(ListGet(list->lines, n));
    return line ? std::string(line) : std::string();
}
