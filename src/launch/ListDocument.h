// A launch list as Kindlet holds it: every line of the file as it was written,
// so that comments, blank lines and the entries the user left alone are saved
// exactly as they were read, in the file's own encoding and line breaks.
#pragma once
#include "launch/LaunchListFile.h"
#include "launch/ListText.h"
#include <string>
#include <string_view>
#include <vector>

struct ListLine {
    std::string text;    // as written, without its line break
    std::string end;     // the break after it: "\r\n", "\n", "\r", or "" at the file's end
    bool entry = false;  // neither empty nor a comment
    bool edited = false; // text was made from value and is written anew
    LaunchEntry value;   // an entry's file and parameters (EntryOfLine)
};

struct ListDocument {
    std::vector<ListLine> lines;
    std::string original; // the bytes read: a save keeps their form
};

// False when bytes are not a list's text (ReadListText); the document is then
// untouched. Its lines are split where the list reader splits them (SplitLines).
bool ReadListDocument(std::string_view bytes, const FileExistsFn& fileExists, AnsiToUtf8Fn fromAnsi,
                      Utf8ToAnsiFn toAnsi, ListDocument& doc);
// The bytes to save; an unchanged document gives back the bytes it was read from.
std::string ListDocumentBytes(const ListDocument& doc, Utf8ToAnsiFn toAnsi);
// The first edited line that cannot be written so that it reads back the same
// (LaunchLineProblem), with the reason; false when there is none.
bool ListDocumentProblem(const ListDocument& doc, size_t& line, std::string& problem);

// The indexes of the entry lines, in file order.
std::vector<size_t> EntryLines(const ListDocument& doc);
// Edits. Other lines keep their places and texts.
void SetEntry(ListDocument& doc, size_t line, const LaunchEntry& value);
// Appends an entry, with the document's own kind of line break.
void AddEntry(ListDocument& doc, const LaunchEntry& value);
// Two lines exchange what they hold; the breaks stay where they were.
void SwapLines(ListDocument& doc, size_t a, size_t b);
void RemoveLine(ListDocument& doc, size_t line);
