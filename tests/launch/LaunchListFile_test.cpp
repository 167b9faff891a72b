#include "launch/LaunchListFile.h"
#include <gtest/gtest.h>

TEST(LaunchListWriter, EntriesGetTheLineThatReadsThemBackOrAreRefusedWithTheFirstOneNamed) {
    // line: what the writer makes of the entry whatever exists; problem: why it
    // refuses the entry instead.
    struct Case {
        LaunchEntry entry;
        const char* line;
        const char* problem;
    } cases[] = {
        {{"C:\\Tools\\calc.exe", ""}, "C:\\Tools\\calc.exe", nullptr},
        {{"C:\\Tools\\calc.exe", "5"}, "\"C:\\Tools\\calc.exe\" 5", nullptr},
        {{"C:\\My Files\\viewer.exe", ""}, "\"C:\\My Files\\viewer.exe\"", nullptr},
        {{"C:\\My Files\\viewer.exe", "/a \"my notes.txt\""},
         "\"C:\\My Files\\viewer.exe\" /a \"my notes.txt\"",
         nullptr},
        {{";odd.exe", ""}, "\";odd.exe\"", nullptr},       // unquoted it would be a comment
        {{" lead.exe ", ""}, "\" lead.exe \"", nullptr},   // the reader trims unquoted lines
        {{"tab\there.exe", ""}, "tab\there.exe", nullptr}, // a tab is no blank
        {{"", "-x"}, nullptr, "no file named"},
        {{"a\r\nb.exe", ""}, nullptr, "a line break or zero byte in the entry"},
        {{"a.exe", "x\ny"}, nullptr, "a line break or zero byte in the entry"},
        {{std::string("a\0b", 3), ""}, nullptr, "a line break or zero byte in the entry"},
        {{"\"C:\\x -q", ""}, nullptr, "a double quote in the file name"},
        {{"a.exe", " -x"}, nullptr, "blanks around the parameters"},
        {{"a.exe", "-x "}, nullptr, "blanks around the parameters"},
    };
    // Read back with none and with all of the files present: the same entry.
    auto none = [](const std::string&) { return false; };
    auto all = [](const std::string& p) { return p.find('"') == std::string::npos; };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line ? c.line : c.problem);
        EXPECT_EQ(c.problem ? c.problem : "", LaunchLineProblem(c.entry));
        if (!c.line) continue;
        EXPECT_EQ(c.line, FormatLaunchLine(c.entry));
        EXPECT_EQ(c.entry, EntryOfLine(c.line, none));
        EXPECT_EQ(c.entry, EntryOfLine(c.line, all));
    }
}

TEST(LaunchListReader, AnEntryIsSplitOnlyWhereParavueWouldCarryOutTheSplit) {
    auto exists = [](const std::string& p) { return p == "C:\\Tools\\calc.exe"; };
    struct Case {
        const char* line;
        LaunchEntry entry;
    } cases[] = {
        {"C:\\Tools\\calc.exe 5", {"C:\\Tools\\calc.exe", "5"}},
        // Missing: paravue.exe reports the whole line, so it is one file.
        {" C:\\docs\\no such file.txt ", {"C:\\docs\\no such file.txt", ""}},
        // Quotes always split, found or not.
        {"\"C:\\gone\\x.exe\" -q", {"C:\\gone\\x.exe", "-q"}},
        {"\"C:\\gone\\x.exe -q", {"\"C:\\gone\\x.exe -q", ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EntryOfLine(c.line, exists), c.entry) << c.line;
}
