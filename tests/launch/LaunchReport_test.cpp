#include "launch/LaunchReport.h"
#include <gtest/gtest.h>

namespace {
// A line fits when it has at most `width` bytes.
FitsFn Width(size_t width) {
    return [width](const std::string& line) { return line.size() <= width; };
}
} // namespace

TEST(LaunchReport, LongNamesLoseTheirMiddleUntilTheyFit) {
    struct Case {
        std::string text;
        size_t width;
        std::string shortened;
    } cases[] = {
        {"C:\\a\\b.exe", 20, "C:\\a\\b.exe"},
        {"C:\\folder\\deeper\\file.exe", 15, "C:\\fol...le.exe"},
        {"C:\\folder\\deeper\\file.exe", 16, "C:\\fold...le.exe"},
        {"abcdef", 4, "a..."},
        {"abcdef", 3, "..."},
        {"abcdef", 1, "..."}, // nothing fits: the mark alone
        // Whole characters only: "é" and "ü" are two bytes each.
        {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xBC\xC3\xBC\xC3\xBC", 7, "\xC3\xA9...\xC3\xBC"},
        {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xBC\xC3\xBC\xC3\xBC", 8, "\xC3\xA9...\xC3\xBC"},
        {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xBC\xC3\xBC\xC3\xBC", 9, "\xC3\xA9\xC3\xA9...\xC3\xBC"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShortenMiddle(c.text, Width(c.width)), c.shortened)
            << c.text << " in " << c.width;
}

TEST(LaunchReport, OneFailureReadsAsItsOwnBoxSeveralOneALineAtMostTenThenHowManyMore) {
    using F = LaunchFailure;
    const auto missing = LaunchFault::Missing, refused = LaunchFault::Refused;
    auto many = [&](size_t n) {
        std::vector<F> failures;
        for (size_t i = 0; i < n; ++i)
            failures.push_back({missing, "m" + std::to_string(i)});
        return failures;
    };
    std::string eleven;
    for (int i = 0; i < 10; ++i)
        eleven += (i ? "\n" : "") + std::string("Cannot find file: m") + std::to_string(i);
    struct Case {
        std::vector<F> failures;
        std::string text;
    } cases[] = {
        {{}, ""},
        {{{missing, "C:\\docs\\no such file.txt"}},
         "Cannot find file:\rC:\\docs\\no such file.txt"},
        {{{refused, "C:\\x.exe"}}, "Error executing file:\rC:\\x.exe"},
        {{{missing, "a"}, {refused, "b"}}, "Cannot find file: a\nError executing file: b"},
        {many(10), eleven},
        {many(11), eleven + "\n...and 1 more."},
        {many(200), eleven + "\n...and 190 more."},
        // Shortened to the width: alone the name is on a line of its own, in a
        // list it shares its line with the message.
        {{{missing, std::string(5000, 'x')}},
         "Cannot find file:\r" + std::string(20, 'x') + "..." + std::string(19, 'x')},
        {{{missing, std::string(5000, 'x')}, {missing, "y"}},
         "Cannot find file: " + std::string(11, 'x') + "..." + std::string(10, 'x') +
             "\nCannot find file: y"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LaunchReportText(c.failures, Width(42)), c.text) << c.failures.size();
}
