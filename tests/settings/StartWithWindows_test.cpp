#include "settings/StartWithWindows.h"
#include <gtest/gtest.h>

TEST(StartWithWindows, TheRunValueStartsThisCopyOnlyWhenItNamesItsFile) {
    const std::string me = "C:\\Program Files\\Para-Vue\\paravue.exe";
    EXPECT_EQ(RunValueFor(me), "\"C:\\Program Files\\Para-Vue\\paravue.exe\"");
    struct Row {
        const char* value;
        bool starts;
    } rows[] = {
        {"\"C:\\Program Files\\Para-Vue\\paravue.exe\"", true},
        {"\"c:\\program files\\para-vue\\PARAVUE.EXE\"", true},
        {"  \"C:\\Program Files\\Para-Vue\\paravue.exe\" list.txt", true},
        {"\"C:\\Program Files\\Para-Vue\\paravue.exe\" \"D:\\My lists\\morning.txt\"", true},
        {"\"D:\\Tools\\paravue.exe\"", false},               // another copy
        {"C:\\Program Files\\Para-Vue\\paravue.exe", false}, // unquoted: "C:\Program" runs
        {"\"C:\\Program Files\\Para-Vue\\paravue.exe", false},
        {"\"C:\\Program Files\\Para-Vue\\paravue.ex\"", false},
        {"", false},
        {"\"\"", false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(RunValueStarts(r.value, me), r.starts) << r.value;
    EXPECT_TRUE(RunValueStarts("C:\\Para\\paravue.exe", "C:\\Para\\paravue.exe"));
    EXPECT_FALSE(RunValueStarts("\"\"", ""));
}

// Kindlet's "Open this list when Windows starts": checked only for the value that
// opens that very list with that very program, as paravue.exe reads its list.
TEST(StartWithWindows, TheRunValueOpensAListOnlyWhenItNamesBothFiles) {
    const std::string me = "C:\\Program Files\\Para-Vue\\paravue.exe";
    const std::string list = "D:\\My lists\\morning.txt";
    const std::string value = RunValueOpening(me, list);
    EXPECT_EQ(value, "\"C:\\Program Files\\Para-Vue\\paravue.exe\" \"D:\\My lists\\morning.txt\"");
    EXPECT_TRUE(RunValueStarts(value, me)) << "the strip's item is checked for it too";
    struct Row {
        const char* value;
        bool opens;
    } rows[] = {
        {"\"C:\\Program Files\\Para-Vue\\paravue.exe\" \"D:\\My lists\\morning.txt\"", true},
        {"\"c:\\program files\\para-vue\\PARAVUE.EXE\"   \"d:\\my lists\\MORNING.TXT\"  ", true},
        {"\"C:\\Program Files\\Para-Vue\\paravue.exe\" D:\\My lists\\morning.txt", true},
        {"\"C:\\Program Files\\Para-Vue\\paravue.exe\"", false}, // the strip's own
        {"\"C:\\Program Files\\Para-Vue\\paravue.exe\" \"D:\\My lists\\evening.txt\"", false},
        {"\"C:\\Program Files\\Para-Vue\\paravue.exe\" \"D:\\My lists\\morning.txt.bak\"", false},
        {"\"C:\\Program Files\\Para-Vue\\paravue.exe\" \"\"", false},
        {"\"D:\\Tools\\paravue.exe\" \"D:\\My lists\\morning.txt\"", false}, // another copy
        {"C:\\Para\\paravue.exe", false},
        {"", false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(RunValueOpens(r.value, me, list), r.opens) << r.value;
    EXPECT_TRUE(
        RunValueOpens("C:\\Para\\paravue.exe D:\\l.txt", "C:\\Para\\paravue.exe", "D:\\l.txt"));
    EXPECT_FALSE(RunValueOpens(value, me, "")) << "a list never saved";
}
