#include "launch/LaunchListFile.h"

LaunchEntry EntryOfLine(const std::string& line, const FileExistsFn& fileExists) {
    const LaunchLine parsed = ParseLaunchLine(line, fileExists);
    const std::string whole = TrimBlanks(line);
    if (!whole.empty() && whole[0] != '"' && parsed.file != whole && !fileExists(parsed.file))
        return {whole, ""};
    return {parsed.file, parsed.parameters};
}

std::string LaunchLineProblem(const LaunchEntry& e) {
    if (e.file.empty()) return "no file named";
    // A reader splits lines at CR and LF and stops at a zero byte.
    auto breaks = [](const std::string& s) { return s.find_first_of(std::string("\r\n\0", 3)); };
    if (breaks(e.file) != std::string::npos || breaks(e.parameters) != std::string::npos)
        return "a line break or zero byte in the entry";
    // The quotes around a file end at its first quote. Windows allows none in a
    // name, and a line holding one therefore never names an existing file, which
    // is what makes the quoted form safe whatever exists when the list is read.
    if (e.file.find('"') != std::string::npos) return "a double quote in the file name";
    // The reader trims the parameters.
    if (e.parameters != TrimBlanks(e.parameters)) return "blanks around the parameters";
    return {};
}

std::string FormatLaunchLine(const LaunchEntry& e) {
    // Unquoted, a blank would split the line when the file is missing at the
    // time it is read, and a leading ";" would make it a comment.
    if (e.parameters.empty() && e.file.find(' ') == std::string::npos && e.file[0] != ';')
        return e.file;
    std::string line = '"' + e.file + '"';
    if (!e.parameters.empty()) line += ' ' + e.parameters;
    return line;
}
