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
