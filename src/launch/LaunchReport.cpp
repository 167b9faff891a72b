#include "launch/LaunchReport.h"
#include "errors/Utf8.h"
#include "ui/Services.h"

namespace {
const char* PrefixOf(LaunchFault fault) {
    return fault == LaunchFault::Missing ? "Cannot find file:" : "Error executing file:";
}

// The first (keep + 1) / 2 and the last keep / 2 characters of text around "...".
std::string KeepEnds(const std::string& text, size_t length, size_t keep) {
    const size_t head = Utf8PrefixBytes(text, (keep + 1) / 2);
    const size_t tail = Utf8PrefixBytes(text, length - keep / 2);
    return text.substr(0, head) + "..." + text.substr(tail);
}
} // namespace

std::string ShortenMiddle(const std::string& text, const FitsFn& fits) {
    if (fits(text)) return text;
    const size_t length = Utf8Length(text);
    // The widest cut that fits: fewer characters kept never make a line wider.
    size_t low = 0, high = length; // KeepEnds(low) is the best known, high never fits
    if (!fits(KeepEnds(text, length, 0))) return "...";
    while (high - low > 1) {
        const size_t mid = low + (high - low) / 2;
        (fits(KeepEnds(text, length, mid)) ? low : high) = mid;
    }
    return KeepEnds(text, length, low);
}

std::string LaunchReportText(const std::vector<LaunchFailure>& failures, const FitsFn& fits) {
    if (failures.empty()) return {};
    if (failures.size() == 1)
        return std::string(PrefixOf(failures[0].fault)) + '\r' +
               ShortenMiddle(failures[0].name, fits);
    std::string text;
    for (size_t i = 0; i < failures.size() && i < kMaxReportedFailures; ++i) {
        const std::string prefix = std::string(PrefixOf(failures[i].fault)) + ' ';
        const std::string name =
            ShortenMiddle(failures[i].name, [&](const std::string& s) { return fits(prefix + s); });
        text += (i ? "\n" : "") + prefix + name;
    }
    if (failures.size() > kMaxReportedFailures)
        text += "\n...and " +
                UIntToText(static_cast<uint32_t>(failures.size() - kMaxReportedFailures)) +
                " more.";
    return text;
}
