#include "launch/ListDocument.h"
#include "launch/ListForm.h"
#include "support/Latin1.h"
#include "support/LinesOf.h"
#include <gtest/gtest.h>
#include <set>

namespace {
std::string Utf16Le(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t u : text) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    return bytes;
}

FileExistsFn Existing(std::set<std::string> files) {
    return [files](const std::string& p) { return files.count(p) > 0; };
}

ListDocument Read(const std::string& bytes, const FileExistsFn& exists = Existing({})) {
    ListDocument doc;
    EXPECT_TRUE(ReadListDocument(bytes, exists, Latin1, ToLatin1, doc)) << bytes;
    return doc;
}

std::vector<LaunchEntry> EntriesOf(const ListDocument& doc) {
    std::vector<LaunchEntry> entries;
    for (size_t i : EntryLines(doc))
        entries.push_back(doc.lines[i].value);
    return entries;
}

// A list as people write them: a heading, blank lines, blanks around lines,
// mixed breaks and no break after the last line.
const std::string kCommented = "; my morning\r\n"
                               "C:\\mail.exe\r\n"
                               "\r\n"
                               "   ; the editor, with a file\n"
                               "  \"C:\\My Files\\ed.exe\"   notes.txt  \r\n"
                               "C:\\docs\\no such file.txt";
} // namespace

TEST(ListForm, OnlyTextTheReaderTakesIsAList) {
    struct Case {
        const char* what;
        std::string bytes;
        bool text;
    } cases[] = {
        {"a list", kCommented, true},
        {"empty", "", true},
        {"UTF-8 with a mark",
         "\xEF\xBB\xBF"
         "C:\\Caf\xC3\xA9.txt\r\n",
         true},
        {"UTF-8 without one", "C:\\Caf\xC3\xA9.txt\r\n", true},
        {"the code page", "C:\\Caf\xE9.txt\r\n", true},
        {"UTF-16", Utf16Le(u"C:\\Отчёт.txt\r\n"), true},
        {"tab, form feed and a closing Ctrl+Z", "a\tb\f\r\n\x1A", true},
        {"a zero byte", std::string("C:\\a.exe\r\n\0\0", 12), false},
        {"a program", std::string("MZ\x90\0\3\0\0\0", 8), false},
        {"a picture", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), false},
        {"a control character", "C:\\a.exe\x01\x02", false},
        {"UTF-16 cut short", Utf16Le(u"ab") + "c", false},
        {"UTF-16 with a zero", Utf16Le(std::u16string(u"a\0b", 3)), false},
        {"UTF-16 with a lone surrogate", Utf16Le(u"x\xD800y"), false},
        {"not UTF-8 after its mark", "\xEF\xBB\xBFok\xFF", false},
    };
    for (const Case& c : cases) {
        std::string text;
        EXPECT_EQ(ReadListText(c.bytes, Latin1, ToLatin1, text), c.text) << c.what;
    }
}

TEST(ListDocument, OpenedAndSavedUnchangedItIsTheSameBytesInEveryForm) {
    const std::u16string wide = u"; Отчёты\r\nC:\\Отчёты\\март.txt\r\n\r\n\"C:\\a b\\x.exe\" -q";
    for (const std::string& bytes :
         {kCommented, "\xEF\xBB\xBF" + kCommented, Utf16Le(wide), std::string("a\rb\n\nc\r\n\r")}) {
        const ListDocument doc = Read(bytes);
        EXPECT_EQ(ListDocumentBytes(doc, ToLatin1), bytes);
        // The reader's lines, no more, no fewer.
        std::string text;
        ReadListText(bytes, Latin1, ToLatin1, text);
        std::vector<std::string> texts;
        for (const ListLine& line : doc.lines)
            texts.push_back(line.text);
        EXPECT_EQ(texts, LinesOf(text));
    }
}

TEST(ListDocument, EntriesAreSplitAsParavueReadsThemAndEditsLeaveOtherLinesAlone) {
    ListDocument doc = Read(kCommented, Existing({"C:\\mail.exe", "C:\\My Files\\ed.exe"}));
    // The missing path with blanks is one missing file, not a file and parameters.
    EXPECT_EQ(EntriesOf(doc), (std::vector<LaunchEntry>{{"C:\\mail.exe", ""},
                                                        {"C:\\My Files\\ed.exe", "notes.txt"},
                                                        {"C:\\docs\\no such file.txt", ""}}));
    const std::vector<size_t> entries = EntryLines(doc);
    ASSERT_EQ(entries, (std::vector<size_t>{1, 4, 5}));

    SetEntry(doc, entries[1], {"C:\\My Files\\ed.exe", "-n"});
    SwapLines(doc, entries[0], entries[2]);
    RemoveLine(doc, 2);
    AddEntry(doc, {"C:\\new.exe", ""});
    EXPECT_EQ(ListDocumentBytes(doc, ToLatin1), "; my morning\r\n"
                                                "C:\\docs\\no such file.txt\r\n"
                                                "   ; the editor, with a file\n"
                                                "\"C:\\My Files\\ed.exe\" -n\r\n"
                                                "C:\\mail.exe\r\n"
                                                "C:\\new.exe\r\n");

    // Only what was edited is checked before a save.
    size_t bad = 0;
    std::string problem;
    EXPECT_FALSE(ListDocumentProblem(doc, bad, problem));
    SetEntry(doc, 1, {"C:\\x.exe", " -a"});
    ASSERT_TRUE(ListDocumentProblem(doc, bad, problem));
    EXPECT_EQ(bad, 1u);
    EXPECT_EQ(problem, "blanks around the parameters");
}

TEST(ListDocument, ANewNameTheCodePageLacksTurnsAnAnsiListIntoUtf8WithAMark) {
    ListDocument doc = Read("C:\\Caf\xE9.txt\n");
    AddEntry(doc, {"C:\\Отчёт.txt", ""});
    EXPECT_EQ(ListDocumentBytes(doc, ToLatin1), "\xEF\xBB\xBF"
                                                "C:\\Caf\xC3\xA9.txt\nC:\\Отчёт.txt\n");
    // Code-page bytes that would begin as a mark does are saved behind a mark.
    ListDocument odd = Read(" \xEF\xBB\xBF\xFF\n");
    SetEntry(odd, 0, odd.lines[0].value);
    EXPECT_EQ(ListDocumentBytes(odd, ToLatin1), "\xEF\xBB\xBF"
                                                "\xC3\xAF\xC2\xBB\xC2\xBF\xC3\xBF\n");
    ListDocument fresh;
    AddEntry(fresh, {"C:\\a b.exe", "-x"});
    EXPECT_EQ(ListDocumentBytes(fresh, ToLatin1), "\"C:\\a b.exe\" -x\r\n");
}

TEST(ListDocument, AFileThatIsNotTextIsNotTaken) {
    ListDocument doc = Read("C:\\a.exe\r\n");
    EXPECT_FALSE(ReadListDocument(std::string("MZ\0\0", 4), Existing({}), Latin1, ToLatin1, doc));
    EXPECT_EQ(EntriesOf(doc), (std::vector<LaunchEntry>{{"C:\\a.exe", ""}}));
}
