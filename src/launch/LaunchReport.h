// The one message a launch list leaves behind: every entry that could not be
// opened, gathered while the list runs and shown once at its end, so that a list
// of two hundred missing files is one box, not two hundred.
#pragma once
#include <functional>
#include <string>
#include <vector>

enum class LaunchFault {
    Missing, // "Cannot find file:"
    Refused, // "Error executing file:", the shell would not open it
};
struct LaunchFailure {
    LaunchFault fault;
    std::string name; // as the user wrote it in the list
    bool operator==(const LaunchFailure&) const = default;
};

// A box lists this many failed entries at most, then says how many more there were.
constexpr size_t kMaxReportedFailures = 10;

using FitsFn = std::function<bool(const std::string& line)>;

// text as it is when it fits, else with its middle replaced by "..." (whole
// characters cut), as long as still fits; "..." when nothing else fits.
std::string ShortenMiddle(const std::string& text, const FitsFn& fits);

// One failure reads as a box of its own always has: the message, a carriage
// return and the name. Several read one a line ("Cannot find file: name"), the
// first kMaxReportedFailures of them, then "...and N more." Every line that
// names an entry is shortened until it fits.
std::string LaunchReportText(const std::vector<LaunchFailure>& failures, const FitsFn& fits);
