// Lines of a text file, read in one go: one owned block holds every line with a
// zero byte after each, and a pointer list marks where each line starts.
#pragma once
#include "ui/Object.h"
#include <cstddef>
#include <cstdint>
#include <string>

class StringList : public BaseObject {
  public:
    char* block = nullptr;
    ObjectList* lines = nullptr;
    int32_t count = 0;
    size_t used = 0;
    char separator = '='; // name/value separator, kept for completeness

    StringList();
    void Destroy() override;

  protected:
    ~StringList() override;
};

StringList* CreateStringList();
// Replaces the list's lines with the lines of data[0..size), stopping at the
// first zero byte. A line ends at CR LF, at CR alone and at LF alone; text after
// the last line break is a line when it is not empty.
void StringListSetText(StringList* list, const char* data, size_t size);
void StringListClear(StringList* list);
// Line n as a new string; "" when n is outside 0..count-1.
std::string StringListGet(const StringList* list, int32_t n);
