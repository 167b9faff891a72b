#include "launch/LaunchListFile.h"
#include "ui/StringList.h"
#include <gtest/gtest.h>

namespace {

// The lines a reader gets from a saved text.
std::vector<std::string> LinesOf(const std::string& text) {
    StringList* list = CreateStringList();
    StringListSetText(list, text.data(), text.size());
    std::vector<std::string> lines;
    for (int32_t i = 0; i < list->count; ++i)
        lines.push_back(StringListGet(list, i));
    FreeObject(list);
    return lines;
}

} // namespace

TEST(LaunchListWriter, EachEntryGetsTheLineThatReadsItBackWhateverExists) {
    struct Case {
        LaunchEntry entry;
        const char* line;
    } cases[] = {
        {{"C:\\Tools\\calc.exe", ""}, "C:\\Tools\\calc.exe"},
        {{"C:\\Tools\\calc.exe", "5"}, "\"C:\\Tools\\calc.exe\" 5"},
        {{"C:\\My Files\\viewer.exe", ""}, "\"C:\\My Files\\viewer.exe\""},
        {{"C:\\My Files\\viewer.exe", "/a \"my notes.txt\""},
         "\"C:\\My Files\\viewer.exe\" /a \"my notes.txt\""},
        {{";odd.exe", ""}, "\";odd.exe\""},       // unquoted it would be a comment
        {{" lead.exe ", ""}, "\" lead.exe \""},   // the reader trims unquoted lines
        {{"tab\there.exe", ""}, "tab\there.exe"}, // a tab is no blank
    };
    std::vector<LaunchEntry> entries;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ("", LaunchLineProblem(c.entry));
        EXPECT_EQ(c.line, FormatLaunchLine(c.entry));
        entries.push_back(c.entry);
    }
    std::string text, problem;
    size_t bad = 99;
    ASSERT_TRUE(FormatLaunchList(entries, text, bad, problem));
    // Read back with none and with all of the files present: the same entries.
    auto none = [](const std::string&) { return false; };
    auto all = [](const std::string& p) { return p.find('"') == std::string::npos; };
    EXPECT_EQ(entries, ReadLaunchEntries(LinesOf(text), none));
    EXPECT_EQ(entries, ReadLaunchEntries(LinesOf(text), all));
}

TEST(LaunchListWriter, EntriesThatCannotReadBackAreRefusedWithTheFirstOneNamed) {
    struct Case {
        LaunchEntry entry;
        const char* problem;
    } cases[] = {
        {{"", "-x"}, "no file named"},
        {{"a\r\nb.exe", ""}, "a line break or zero byte in the entry"},
        {{"a.exe", "x\ny"}, "a line break or zero byte in the entry"},
        {{std::string("a\0b", 3), ""}, "a line break or zero byte in the entry"},
        {{"\"C:\\x -q", ""}, "a double quote in the file name"},
        {{"a.exe", " -x"}, "blanks around the parameters"},
        {{"a.exe", "-x "}, "blanks around the parameters"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.problem);
        std::string text, problem;
        size_t bad = 99;
        EXPECT_FALSE(FormatLaunchList({{"ok.exe", ""}, c.entry, {"", ""}}, text, bad, problem));
        EXPECT_EQ(1u, bad);
        EXPECT_EQ(c.problem, problem);
    }
}
