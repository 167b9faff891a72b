// Fuzzes Kindlet's hold on a list file: whatever bytes are read as a list are
// written back as the same bytes, its lines are the reader's lines, and after one
// entry is changed, the saved file read again has every other line exactly as
// it was and the changed entry as it was set.
#include "launch/ListDocument.h"
#include "launch/ListForm.h"
#include "support/FuzzNames.h"
#include "support/Latin1.h"
#include "support/LinesOf.h"
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t mask = data[0];
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    auto exists = [mask](const std::string& p) { return NameExists(mask, p); };

    ListDocument doc;
    std::string text;
    const bool isText = ReadListText(bytes, Latin1, ToLatin1, text);
    Check(ReadListDocument(bytes, exists, Latin1, ToLatin1, doc) == isText);
    if (!isText) return 0;
    Check(ListDocumentBytes(doc, ToLatin1) == bytes);
    const std::vector<std::string> lines = LinesOf(text);
    Check(lines.size() == doc.lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        Check(doc.lines[i].text == lines[i]);
        Check(doc.lines[i].entry == !ParseLaunchLine(lines[i], exists).skip);
        if (doc.lines[i].entry) Check(doc.lines[i].value == EntryOfLine(lines[i], exists));
    }

    const std::vector<size_t> entries = EntryLines(doc);
    if (entries.empty()) return 0;
    const size_t changed = entries[mask % entries.size()];
    LaunchEntry value = doc.lines[changed].value;
    value.parameters = mask & 1 ? "-x" : "";
    if (!LaunchLineProblem(value).empty()) return 0;
    SetEntry(doc, changed, value);
    ListDocument again;
    Check(ReadListDocument(ListDocumentBytes(doc, ToLatin1), exists, Latin1, ToLatin1, again));
    Check(again.lines.size() == lines.size());
    for (size_t i = 0; i < lines.size(); ++i)
        Check(i == changed ? again.lines[i].value == value : again.lines[i].text == lines[i]);
    return 0;
}
