#include "launch/ListDocument.h"
#include "launch/ListForm.h"
#include "ui/StringList.h"
#include <utility>

namespace {
ListLine MakeLine(std::string_view text, std::string_view end) {
    ListLine line;
    line.text = text;
    line.end = end;
    return line;
}
} // namespace

bool ReadListDocument(std::string_view bytes, const FileExistsFn& fileExists, AnsiToUtf8Fn fromAnsi,
                      Utf8ToAnsiFn toAnsi, ListDocument& doc) {
    std::string text;
    if (!ReadListText(bytes, fromAnsi, toAnsi, text)) return false;
    doc.lines.clear();
    for (const TextLine& split : SplitLines(text))
        doc.lines.push_back(MakeLine(split.text, split.end));
    doc.original = std::string(bytes);
    for (ListLine& line : doc.lines) {
        line.entry = !ParseLaunchLine(line.text, fileExists).skip;
        if (line.entry) line.value = EntryOfLine(line.text, fileExists);
    }
    return true;
}

std::string ListDocumentBytes(const ListDocument& doc, Utf8ToAnsiFn toAnsi) {
    std::string text;
    for (const ListLine& line : doc.lines)
        text += line.text + line.end;
    return EncodeListLike(doc.original, text, toAnsi);
}

bool ListDocumentProblem(const ListDocument& doc, size_t& line, std::string& problem) {
    for (line = 0; line < doc.lines.size(); ++line) {
        if (!doc.lines[line].edited) continue;
        problem = LaunchLineProblem(doc.lines[line].value);
        if (!problem.empty()) return true;
    }
    return false;
}

std::vector<size_t> EntryLines(const ListDocument& doc) {
    std::vector<size_t> entries;
    for (size_t i = 0; i < doc.lines.size(); ++i)
        if (doc.lines[i].entry) entries.push_back(i);
    return entries;
}

void SetEntry(ListDocument& doc, size_t line, const LaunchEntry& value) {
    ListLine& l = doc.lines[line];
    l.entry = l.edited = true;
    l.value = value;
    // A file name alone cannot be written; the problem is reported when saving.
    l.text = value.file.empty() ? std::string() : FormatLaunchLine(value);
}

void AddEntry(ListDocument& doc, const LaunchEntry& value) {
    std::string end = "\r\n";
    for (const ListLine& line : doc.lines)
        if (!line.end.empty()) {
            end = line.end;
            break;
        }
    if (!doc.lines.empty() && doc.lines.back().end.empty()) doc.lines.back().end = end;
    doc.lines.push_back(MakeLine("", end));
    SetEntry(doc, doc.lines.size() - 1, value);
}

void SwapLines(ListDocument& doc, size_t a, size_t b) {
    std::swap(doc.lines[a].end, doc.lines[b].end);
    std::swap(doc.lines[a], doc.lines[b]);
}

void RemoveLine(ListDocument& doc, size_t line) {
    doc.lines.erase(doc.lines.begin() + static_cast<std::ptrdiff_t>(line));
}
