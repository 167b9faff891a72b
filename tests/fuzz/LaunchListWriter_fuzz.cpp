// Fuzzes the list writer: entries taken from the input are written, the text is
// split into lines as a loaded file is and read back. Every entry the writer
// accepts must come back the same, whatever files exist at reading time, and
// every refusal must have its reason.
#include "launch/LaunchListFile.h"
#include "support/FuzzNames.h"
#include "support/LinesOf.h"
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t mask = data[0];
    // Entries are separated by 0x01, a file from its parameters by 0x02.
    std::vector<LaunchEntry> entries(1);
    bool inParameters = false;
    for (size_t i = 1; i < size; ++i) {
        char c = static_cast<char>(data[i]);
        if (c == '\x01') {
            entries.emplace_back();
            inParameters = false;
        } else if (c == '\x02' && !inParameters) {
            inParameters = true;
        } else {
            (inParameters ? entries.back().parameters : entries.back().file) += c;
        }
    }

    std::vector<LaunchEntry> written;
    for (const LaunchEntry& e : entries) {
        std::string problem = LaunchLineProblem(e);
        bool reason = e.file.empty() ||
                      e.file.find_first_of(std::string("\r\n\0\"", 4)) != std::string::npos ||
                      e.parameters.find_first_of(std::string("\r\n\0", 3)) != std::string::npos ||
                      e.parameters != TrimBlanks(e.parameters);
        Check(problem.empty() != reason);
        if (problem.empty()) written.push_back(e);
    }

    std::string text;
    for (const LaunchEntry& e : written)
        text += FormatLaunchLine(e) + "\r\n";
    const std::vector<std::string> lines = LinesOf(text);
    Check(lines.size() == written.size());

    // Which names exist depends on the name and the first byte.
    auto exists = [mask](const std::string& p) { return NameExists(mask, p); };
    for (size_t i = 0; i < lines.size(); ++i) {
        Check(!ParseLaunchLine(lines[i], exists).skip);
        Check(EntryOfLine(lines[i], exists) == written[i]);
    }
    return 0;
}
