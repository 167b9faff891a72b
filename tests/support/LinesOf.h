// The lines a reader gets from a loaded text (the split of StringList), for the
// portable tests and the fuzz targets.
#pragma once
#include "ui/StringList.h"
#include <string>
#include <vector>

inline std::vector<std::string> LinesOf(const std::string& text) {
    StringList* list = CreateStringList();
    StringListSetText(list, text.data(), text.size());
    std::vector<std::string> lines;
    for (int32_t i = 0; i < list->count; ++i)
        lines.push_back(StringListGet(list, i));
    FreeObject(list);
    return lines;
}
