#include "launch/LaunchList.h"
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

FileExistsFn Existing(std::set<std::string> files) {
    return [files](const std::string& p) { return files.count(p) > 0; };
}

// Records what a list run does, in order, against a fixed set of files.
class Recorder final : public LaunchEffects {
  public:
    std::set<std::string> files;
    std::set<std::string> refused;
    std::vector<std::string> events;

    bool FileExists(const std::string& p) override { return files.count(p) > 0; }
    void SwitchScreen() override { events.push_back("switch"); }
    bool Execute(const std::string& f, const std::string& params, const std::string& dir) override {
        events.push_back("run " + f + "|" + params + "|" + dir);
        return refused.count(f) == 0;
    }
    void ShowMessage(const std::string& text) override { events.push_back("msg " + text); }
    bool FitsInMessage(const std::string& line) override { return line.size() <= 60; }
};

} // namespace

TEST(LaunchText, PathsAreJoinedAndTrimmedAndTheListNameIsPiecedTogether) {
    struct Join {
        const char *dir, *name, *joined;
    } joins[] = {
        {"C:\\pv", "kindlet.exe", "C:\\pv\\kindlet.exe"},
        {"C:\\pv\\", "kindlet.exe", "C:\\pv\\kindlet.exe"}, // one delimiter only
        {"", "kindlet.exe", "kindlet.exe"},
        {"C:", "x", "C:\\x"},
    };
    for (const Join& j : joins)
        EXPECT_EQ(JoinPath(j.dir, j.name), j.joined) << j.dir << " + " << j.name;

    // Blanks only: a tab stays.
    for (auto [text, trimmed] :
         {std::pair{"  a b  ", "a b"}, {"\ta\t", "\ta\t"}, {"   ", ""}, {"", ""}, {"x", "x"}})
        EXPECT_EQ(TrimBlanks(text), trimmed) << "[" << text << "]";

    struct Pieces {
        std::vector<std::string> params;
        const char* file;
    } pieces[] = {
        {{"C:\\My", "Lists\\work.txt"}, "C:\\My Lists\\work.txt"},
        {{"\"C:\\My Lists\\work.txt\""}, "C:\\My Lists\\work.txt"},
        {{"\"C:\\My", "Lists\\work.txt\""}, "C:\\My Lists\\work.txt"},
        // Quotes and blanks go from the ends only, however they are mixed.
        {{"\" \"a\"b\" \""}, "a\"b"},
        {{"\"\"\""}, ""},
        {{}, ""},
    };
    for (const Pieces& p : pieces)
        EXPECT_EQ(CommandLineFileOf(p.params), p.file) << p.file;
}

TEST(LaunchLineRule, EachLineGivesAFileAndItsParametersOrIsSkipped) {
    // The files that exist while the lines are read.
    auto files = Existing({"C:\\My Files\\viewer.exe", "C:\\Tools\\calc.exe 5"});
    struct Case {
        const char* line;
        bool skip;
        const char *file, *parameters;
    } cases[] = {
        // Comments and empty lines.
        {"", true, "", ""},
        {"    ", true, "", ""},
        {";C:\\a.exe", true, "", ""},
        {"   ; indented comment", true, "", ""},
        {"\t;x", false, "\t;x", ""}, // a tab is no blank: the line is an entry
        // An existing whole line wins over splitting.
        {"  C:\\My Files\\viewer.exe ", false, "C:\\My Files\\viewer.exe", ""},
        {"C:\\Tools\\calc.exe 5", false, "C:\\Tools\\calc.exe 5", ""},
        // A quoted file takes the rest as parameters.
        {"\"C:\\My Files\\viewer.exe\" /a notes.txt", false, "C:\\My Files\\viewer.exe",
         "/a notes.txt"},
        {"\"C:\\A B\\x.exe\"-q", false, "C:\\A B\\x.exe", "-q"},
        {"\"C:\\A B\\x.exe\"", false, "C:\\A B\\x.exe", ""},
        // No closing quote: the line stays whole, quote included.
        {"\"C:\\A B\\x.exe -q", false, "\"C:\\A B\\x.exe -q", ""},
        // Otherwise the last blank splits, even in a path with a blank.
        {"C:\\Tools\\calc.exe 6", false, "C:\\Tools\\calc.exe", "6"},
        {"C:\\My Files\\v.exe -a -b", false, "C:\\My Files\\v.exe -a", "-b"},
        {"C:\\x.exe", false, "C:\\x.exe", ""},
    };
    for (const Case& c : cases) {
        LaunchLine got = ParseLaunchLine(c.line, files);
        EXPECT_EQ(got.skip, c.skip) << "[" << c.line << "]";
        if (c.skip) continue;
        EXPECT_EQ(got.file, c.file) << "[" << c.line << "]";
        EXPECT_EQ(got.parameters, c.parameters) << "[" << c.line << "]";
    }
}

TEST(LaunchListFile, FoundAsGivenOrBesideTheProgram) {
    EXPECT_EQ(FindLaunchList("work.txt", "C:\\pv\\", Existing({"work.txt"})), "work.txt");
    EXPECT_EQ(FindLaunchList("D:\\gone\\work.txt", "C:\\pv\\", Existing({"C:\\pv\\work.txt"})),
              "C:\\pv\\work.txt");
    EXPECT_EQ(FindLaunchList("work.txt", "C:\\pv\\", Existing({"C:\\other\\work.txt"})), "");
}

TEST(LaunchListRun, OneSwitchBeforeTheFirstExistingFile) {
    Recorder r;
    r.files = {"C:\\a.exe", "C:\\b\\b.exe"};
    r.refused = {"C:\\b\\b.exe"};
    CarryOutLaunchList({"; group", "C:\\missing.exe", "C:\\a.exe -x", "", "C:\\b\\b.exe",
                        " C:\\docs\\no such file.txt ", "\"C:\\My Files\\gone.exe\" -x",
                        "C:\\a.exe"},
                       r);
    std::vector<std::string> expected = {
        "switch",
        "run C:\\a.exe|-x|C:\\",
        "run C:\\b\\b.exe||C:\\b\\",
        // No parameters carried over from an earlier line.
        "run C:\\a.exe||C:\\",
        // One box at the end, a missing entry named by its whole line unless quoted.
        "msg Cannot find file: C:\\missing.exe\nError executing file: C:\\b\\b.exe\n"
        "Cannot find file: C:\\docs\\no such file.txt\nCannot find file: C:\\My Files\\gone.exe",
    };
    EXPECT_EQ(r.events, expected);
}
