// Fuzzes the launch-list line rule and the run of a whole list: the first byte
// chooses which of the names asked about exist, the rest is the list text.
#include "launch/LaunchList.h"
#include "launch/LaunchReport.h"
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool Exists(uint8_t mask, const std::string& p) {
    // A mix of answers that depends on the name, so every branch is reachable.
    uint8_t h = static_cast<uint8_t>(p.size() * 31u + (p.empty() ? 0 : p.back()));
    return (mask & 0x80) ? (h & mask & 0x7F) != 0 : (mask & 1) && p.size() % 3 == 0;
}

void Check(bool ok) {
    if (!ok) std::abort();
}

class Recorder final : public LaunchEffects {
  public:
    uint8_t mask = 0;
    int switches = 0;
    int runs = 0;
    bool FileExists(const std::string& p) override { return Exists(mask, p); }
    void SwitchScreen() override {
        Check(runs == 0);
        ++switches;
    }
    bool Execute(const std::string& file, const std::string&, const std::string& dir) override {
        Check(switches == 1);
        Check(file.compare(0, dir.size(), dir) == 0);
        ++runs;
        return (file.size() & 1) == 0;
    }
    // One message at most, after every launch; each line names one entry and fits.
    int messages = 0;
    void ShowMessage(const std::string& text) override {
        Check(++messages == 1);
        if (text.find('\n') == std::string::npos) {
            Check(text.rfind("Cannot find file:\r", 0) == 0 ||
                  text.rfind("Error executing file:\r", 0) == 0);
            Check(FitsInMessage(text.substr(text.find('\r') + 1)));
            return;
        }
        size_t lines = 0, start = 0;
        for (size_t end = 0; end != std::string::npos; start = end + 1, ++lines) {
            end = text.find('\n', start);
            const std::string line = text.substr(start, end - start);
            Check(line.rfind("Cannot find file: ", 0) == 0 ||
                  line.rfind("Error executing file: ", 0) == 0 || line.rfind("...and ", 0) == 0);
            Check(FitsInMessage(line));
        }
        Check(lines <= kMaxReportedFailures + 1);
    }
    bool FitsInMessage(const std::string& line) override { return line.size() <= 48; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    uint8_t mask = data[0];
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    auto exists = [mask](const std::string& p) { return Exists(mask, p); };

    std::vector<std::string> lines;
    size_t start = 0, end;
    while ((end = text.find('\n', start)) != std::string::npos) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    lines.push_back(text.substr(start));

    for (const std::string& raw : lines) {
        std::string trimmed = TrimBlanks(raw);
        Check(trimmed.empty() || (trimmed.front() != ' ' && trimmed.back() != ' '));
        Check(raw.find(trimmed) != std::string::npos);
        LaunchLine line = ParseLaunchLine(raw, exists);
        if (line.skip) {
            Check(trimmed.empty() || trimmed[0] == ';');
            continue;
        }
        // The pieces come from the line, in order, and nothing is invented.
        Check(trimmed.find(line.file) != std::string::npos);
        Check(line.file.size() + line.parameters.size() <= trimmed.size());
        Check(line.parameters == TrimBlanks(line.parameters));
        if (line.file == trimmed) Check(line.parameters.empty());
        if (exists(trimmed)) Check(line.file == trimmed);
        if (!line.parameters.empty()) Check(trimmed.rfind(line.parameters) != std::string::npos);
    }

    Recorder r;
    r.mask = mask;
    CarryOutLaunchList(lines, r);
    Check(r.switches <= 1);

    std::vector<std::string> params(lines.begin(), lines.end());
    std::string file = CommandLineFileOf(params);
    Check(file.empty() ||
          (file.front() != ' ' && file.front() != '"' && file.back() != ' ' && file.back() != '"'));
    const std::string& dir = lines[0];
    std::string joined = JoinPath(dir, file);
    Check(joined.size() >= file.size() + dir.size());
    Check(joined.compare(0, dir.size(), dir) == 0);
    Check(joined.compare(joined.size() - file.size(), file.size(), file) == 0);
    Check(joined.size() <= dir.size() + file.size() + 1);
    return 0;
}
