#include "settings/WindowRules.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
using Lines = std::vector<std::string>;

TEST(WindowRules, ALineIsAProgramAndWhereItsWindowsGo) {
    struct Row {
        const char* line;
        bool rule;
        const char* program;
        int screen;
    } rows[] = {
        {"spotify.exe=both", true, "spotify.exe", kEveryScreen},
        {"Spotify.EXE=BOTH", true, "Spotify.EXE", kEveryScreen},
        {"mail.exe=2", true, "mail.exe", 2},
        {"  mail.exe \t=\t9 \r", true, "mail.exe", 9},
        {"a=b.exe=1", true, "a=b.exe", 1}, // the last "=" divides
        {"\xc3\xa9"
         "diteur.exe=both",
         true,
         "\xc3\xa9"
         "diteur.exe",
         kEveryScreen},
        {"mail.exe=0", false, "", 0},
        {"mail.exe=10", false, "", 0},
        {"mail.exe=", false, "", 0},
        {"=both", false, "", 0},
        {" =2", false, "", 0},
        {"mail.exe=bothe", false, "", 0},
        {"mail.exe", false, "", 0},
        {"; my rules", false, "", 0},
        {"", false, "", 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.line);
        std::string_view program = "unchanged";
        int screen = -7;
        ASSERT_EQ(ParseWindowRule(r.line, program, screen), r.rule);
        if (r.rule) {
            EXPECT_EQ(program, r.program);
            EXPECT_EQ(screen, r.screen);
        }
    }
}

TEST(WindowRules, TheFirstRuleOfAScreenThatExistsHolds) {
    const Lines lines{"; notes",    "PLAYER.exe=both", "player.exe=1", "mail.exe=3",
                      "mail.exe=2", "chat.exe=9",      "chat.exe=both"};
    EXPECT_EQ(RuleOf(lines, "player.exe", 2), kEveryScreen);
    EXPECT_EQ(RuleOf(lines, "Player.Exe", 2), kEveryScreen);
    // Screen 3 is none of two: that line is skipped, the next holds.
    EXPECT_EQ(RuleOf(lines, "mail.exe", 2), 2);
    EXPECT_EQ(RuleOf(lines, "mail.exe", 3), 3);
    EXPECT_EQ(RuleOf(lines, "chat.exe", 2), kEveryScreen);
    EXPECT_EQ(RuleOf(lines, "chat.exe", 9), 9);
    EXPECT_EQ(RuleOf(lines, "other.exe", 2), kNoRule);
    EXPECT_EQ(RuleOf(lines, "", 2), kNoRule);
    EXPECT_EQ(RuleOf({}, "mail.exe", 2), kNoRule);
    // Only ASCII letters fold in the portable comparison; the program passes the
    // system's for every script.
    EXPECT_EQ(RuleOf({"\xc3\x89"
                      "diteur.exe=both"},
                     "\xc3\xa9"
                     "diteur.exe",
                     2),
              kNoRule);
    EXPECT_EQ(RuleOf({"\xc3\xa9"
                      "diteur.exe=both"},
                     "\xc3\xa9"
                     "DITEUR.exe",
                     2),
              kEveryScreen);

    EXPECT_TRUE(HasRule(lines, 2, true));
    EXPECT_TRUE(HasRule(lines, 2, false));
    EXPECT_FALSE(HasRule({"a.exe=both", "b.exe=3", "junk"}, 2, false));
    EXPECT_TRUE(HasRule({"a.exe=both", "b.exe=3", "junk"}, 3, false));
    EXPECT_FALSE(HasRule({"b.exe=2", "c.exe=bot"}, 2, true));
    EXPECT_FALSE(HasRule({}, 9, true));
}

TEST(WindowRules, EditingTheEveryScreenRuleKeepsEveryOtherLine) {
    struct Row {
        const char* what;
        Lines before;
        const char* program;
        bool on;
        Lines after;
    } rows[] = {
        {"added at the end",
         {"; mine", "x.exe=2"},
         "chat.exe",
         true,
         {"; mine", "x.exe=2", "chat.exe=both"}},
        {"in the place of the program's rule, the others of it gone",
         {"CHAT.EXE=2", "; mine", "chat.exe=both", "x.exe=1", "chat.exe=7"},
         "chat.exe",
         true,
         {"chat.exe=both", "; mine", "x.exe=1"}},
        {"already there: written once more as it is read",
         {"chat.exe=both"},
         "chat.exe",
         true,
         {"chat.exe=both"}},
        {"removed in any case and spelling",
         {" Chat.exe = Both", "junk=", "chat.exe=both", "x.exe=both"},
         "chat.exe",
         false,
         {"junk=", "x.exe=both"}},
        {"removing it leaves a screen of its own",
         {"chat.exe=2", "chat.exe=both"},
         "chat.exe",
         false,
         {"chat.exe=2"}},
        {"nothing to remove", {"; mine"}, "chat.exe", false, {"; mine"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        Lines lines = r.before;
        SetEveryScreenRule(lines, r.program, r.on);
        EXPECT_EQ(lines, r.after);
        EXPECT_EQ(RuleOf(lines, r.program, 2) == kEveryScreen, r.on);
    }
}
} // namespace
