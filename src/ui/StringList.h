// Lines of a text file, read in one go: one owned block holds every line with a
// zero byte after each, and a pointer list marks where each line starts.
#pragma once
#include "ui/Object.h"
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// One line of a text: its characters and the break after it ("\r\n", "\r", "\n",
// or "" at the end of the text). Both view the text that was split.
struct TextLine {
    std::string_view text;
    std::string_view end;
};
// The lines of text up to its first zero byte. Editors write CR LF, CR or LF
// alone, and each of them ends a line; text after the last break is a line when
// it is not empty. Every reader of a file's lines splits them here.
std::vector<TextLine> SplitLines(std::string_view text);

StringList* CreateStringList();
// Replaces the list's lines with the lines of data[0..size) (SplitLines).
void StringListSetText(StringList* list, const char* data, size_t size);
void StringListClear(StringList* list);
// Line n as a new string; "" when n is outside 0..count-1.
std::string StringListGet(const StringList* list, int32_t n);
