// Launch lists as files: the entries a list holds and the lines that write them
// back, so that a list saved and read again gives the same entries.
#pragma once
#include "launch/LaunchList.h"
#include <string>

struct LaunchEntry {
    std::string file;
    std::string parameters;
    bool operator==(const LaunchEntry&) const = default;
};

// The entry of a line that is not skipped, as paravue.exe carries it out: an
// unquoted line split at its last blank whose file part does not exist is
// reported as the whole line, so it is one missing file, not a file and parameters.
LaunchEntry EntryOfLine(const std::string& line, const FileExistsFn& fileExists);

// Why an entry cannot be written as a line that reads back the same; "" when it can.
std::string LaunchLineProblem(const LaunchEntry& entry);
// The line of an entry that has no problem: the file alone when it has no blank,
// starts no comment and has no parameters; otherwise the file in double quotes,
// then a blank and the parameters.
std::string FormatLaunchLine(const LaunchEntry& entry);
