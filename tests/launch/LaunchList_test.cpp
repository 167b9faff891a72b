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
};

} // namespace

TEST(LaunchText, JoinPathAddsOneDelimiter) {
    EXPECT_EQ(JoinPath("C:\\pv", "kindlet.exe"), "C:\\pv\\kindlet.exe");
    EXPECT_EQ(JoinPath("C:\\pv\\", "kindlet.exe"), "C:\\pv\\kindlet.exe");
    EXPECT_EQ(JoinPath("", "kindlet.exe"), "kindlet.exe");
    EXPECT_EQ(JoinPath("C:", "x"), "C:\\x");
}

TEST(LaunchText, TrimBlanksTouchesOnlyBlanks) {
    EXPECT_EQ(TrimBlanks("  a b  "), "a b");
    EXPECT_EQ(TrimBlanks("\ta\t"), "\ta\t");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(TrimBlanks(""), "");
    EXPECT_EQ(TrimBlanks("x"), "x");
}

TEST(LaunchText, CommandLineFileJoinsPiecesAndStripsQuotes) {
    EXPECT_EQ(CommandLineFileOf({"C:\\My", "Lists\\work.txt"}), "C:\\My Lists\\work.txt");
    EXPECT_EQ(CommandLineFileOf({"\"C:\\My Lists\\work.txt\""}), "C:\\My Lists\\work.txt");
    EXPECT_EQ(CommandLineFileOf({"\"C:\\My", "Lists\\work.txt\""}), "C:\\My Lists\\work.txt");
    // Quotes and blanks go from the ends only, however they are mixed.
    EXPECT_EQ(CommandLineFileOf({"\" \"a\"b\" \""}), "a\"b");
    EXPECT_EQ(CommandLineFileOf({"\"\"\""}), "");
    EXPECT_EQ(CommandLineFileOf({}), "");
}

TEST(LaunchLineRule, CommentsAndEmptyLinesAreSkipped) {
    auto none = Existing({});
    EXPECT_TRUE(ParseLaunchLine("", none).skip);
    EXPECT_TRUE(ParseLaunchLine("    ", none).skip);
    EXPECT_TRUE(ParseLaunchLine(";C:\\a.exe", none).skip);
    EXPECT_TRUE(ParseLaunchLine("   ; indented comment", none).skip);
    // A tab is no blank: the line is an entry.
    LaunchLine tab = ParseLaunchLine("\t;x", none);
    EXPECT_FALSE(tab.skip);
    EXPECT_EQ(tab.file, "\t;x");
}

TEST(LaunchLineRule, AnExistingWholeLineWinsOverSplitting) {
    auto files = Existing({"C:\\My Files\\viewer.exe", "C:\\Tools\\calc.exe 5"});
    LaunchLine whole = ParseLaunchLine("  C:\\My Files\\viewer.exe ", files);
    EXPECT_EQ(whole.file, "C:\\My Files\\viewer.exe");
    EXPECT_EQ(whole.parameters, "");
    LaunchLine odd = ParseLaunchLine("C:\\Tools\\calc.exe 5", files);
    EXPECT_EQ(odd.file, "C:\\Tools\\calc.exe 5");
    EXPECT_EQ(odd.parameters, "");
}

TEST(LaunchLineRule, QuotedFileTakesTheRestAsParameters) {
    auto none = Existing({});
    LaunchLine a = ParseLaunchLine("\"C:\\My Files\\viewer.exe\" /a notes.txt", none);
    EXPECT_EQ(a.file, "C:\\My Files\\viewer.exe");
    EXPECT_EQ(a.parameters, "/a notes.txt");
    LaunchLine b = ParseLaunchLine("\"C:\\A B\\x.exe\"-q", none);
    EXPECT_EQ(b.file, "C:\\A B\\x.exe");
    EXPECT_EQ(b.parameters, "-q");
    LaunchLine c = ParseLaunchLine("\"C:\\A B\\x.exe\"", none);
    EXPECT_EQ(c.file, "C:\\A B\\x.exe");
    EXPECT_EQ(c.parameters, "");
    // No closing quote: the line stays whole, quote included.
    LaunchLine open = ParseLaunchLine("\"C:\\A B\\x.exe -q", none);
    EXPECT_EQ(open.file, "\"C:\\A B\\x.exe -q");
    EXPECT_EQ(open.parameters, "");
}

TEST(LaunchLineRule, UnquotedLineSplitsAtItsLastBlank) {
    auto none = Existing({});
    LaunchLine a = ParseLaunchLine("C:\\Tools\\calc.exe 5", none);
    EXPECT_EQ(a.file, "C:\\Tools\\calc.exe");
    EXPECT_EQ(a.parameters, "5");
    // A path with a blank and two parameters: only the last blank splits.
    LaunchLine b = ParseLaunchLine("C:\\My Files\\v.exe -a -b", none);
    EXPECT_EQ(b.file, "C:\\My Files\\v.exe -a");
    EXPECT_EQ(b.parameters, "-b");
    LaunchLine c = ParseLaunchLine("C:\\x.exe", none);
    EXPECT_EQ(c.file, "C:\\x.exe");
    EXPECT_EQ(c.parameters, "");
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
    CarryOutLaunchList(
        {"; group", "C:\\missing.exe", "C:\\a.exe -x", "", "C:\\b\\b.exe", "C:\\a.exe"}, r);
    std::vector<std::string> expected = {
        "msg Cannot find file:\rC:\\missing.exe",
        "switch",
        "run C:\\a.exe|-x|C:\\",
        "run C:\\b\\b.exe||C:\\b\\",
        "msg Error executing file:\rC:\\b\\b.exe",
        // No parameters carried over from an earlier line.
        "run C:\\a.exe||C:\\",
    };
    EXPECT_EQ(r.events, expected);
}
