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
    std::string out(text, 0, head);
    out += "...";
    out.append(text.data() + tail, text.size() - tail);
    return out;
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
    // Appended piece by piece: each + would build and free a string of its own.
    std::string text;
    if (failures.size() == 1) {
        text = PrefixOf(failures[0].fault);
        text += '\r';
        text += ShortenMiddle(failures[0].name, fits);
        return text;
    }
    for (size_t i = 0; i < failures.size() && i < kMaxReportedFailures; ++i) {
        std::string prefix = PrefixOf(failures[i].fault);
        prefix += ' ';
        const std::string name =
            ShortenMiddle(failures[i].name, [&](const std::string& s) { return fits(prefix + s); });
        if (i) text += '\n';
        text += prefix;
        text += name;
    }
    if (failures.size() > kMaxReportedFailures) {
        text += "\n...and ";
        text += UIntToText(static_cast<uint32_t>(failures.size() - kMaxReportedFailures));
        text += " more.";
    }
    return text;
}
