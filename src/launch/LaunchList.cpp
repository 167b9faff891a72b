#include "launch/LaunchList.h"
#include "launch/LaunchReport.h"
#include "ui/Services.h"

std::string ProgramDir;

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    if (dir.back() == '\\') return dir + name;
    return dir + '\\' + name;
}

std::string TrimBlanks(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string CommandLineFileOf(const std::vector<std::string>& params) {
    std::string result;
    for (const std::string& p : params) {
        result += p;
        result += ' ';
    }
    auto strip = [](char c) { return c == ' ' || c == '"'; };
    size_t end = result.size();
    while (end > 0 && strip(result[end - 1]))
        --end;
    size_t begin = 0;
    while (begin < end && strip(result[begin]))
        ++begin;
    return result.substr(begin, end - begin);
}

LaunchLine ParseLaunchLine(const std::string& line, const FileExistsFn& fileExists) {
    LaunchLine out;
    std::string text = TrimBlanks(line);
    if (text.empty() || text[0] == ';') {
        out.skip = true;
        return out;
    }
    out.file = text;
    // A name with blanks that exists as written needs no quotes.
    if (fileExists(text)) return out;
    if (text[0] == '"') {
        size_t close = text.find('"', 1);
        if (close != std::string::npos) {
            out.file = text.substr(1, close - 1);
            // text has no blanks at its end: only those after the quote go.
            const size_t start = text.find_first_not_of(' ', close + 1);
            if (start != std::string::npos) out.parameters = text.substr(start);
        }
    } else {
        size_t blank = text.rfind(' ');
        if (blank != std::string::npos) {
            out.file = text.substr(0, blank);
            out.parameters = text.substr(blank + 1); // the last blank: none follows
        }
    }
    return out;
}

std::string FindLaunchList(const std::string& path, const std::string& programDir,
                           const FileExistsFn& fileExists) {
    if (fileExists(path)) return path;
    // A list given by name alone is looked for beside the program too.
    std::string candidate = JoinPath(programDir, FileNamePart(path));
    return fileExists(candidate) ? candidate : std::string();
}

std::string ErrorExecutingMessage(const std::string& path) {
    return "Error executing file:\r" + path;
}

std::string MissingListMessage(const std::string& path) {
    return "Cannot find the launch list:\r" + path;
}

std::string UnreadableListMessage(const std::string& path) {
    return "Cannot read the launch list:\r" + path;
}

std::string NotTextListMessage(const std::string& path) {
    return "This is not a launch list (not a text file); nothing was launched:\r" + path;
}

void CarryOutLaunchList(const std::vector<std::string>& lines, LaunchEffects& effects) {
    bool switched = false;
    std::vector<LaunchFailure> failures;
    const FileExistsFn exists = [&effects](const std::string& path) {
        return effects.FileExists(path);
    };
    for (const std::string& raw : lines) {
        LaunchLine line = ParseLaunchLine(raw, exists);
        if (line.skip) continue;
        if (!effects.FileExists(line.file)) {
            // A split at the last blank only guessed where the file ends: the user
            // finds the line by what it says. A quoted file is named as quoted.
            const std::string text = TrimBlanks(raw);
            failures.push_back({LaunchFault::Missing, text[0] == '"' ? line.file : text});
            continue;
        }
        // The group opens on the other screen, so leave this one before the first launch.
        if (!switched) {
            switched = true;
            effects.SwitchScreen();
        }
        if (!effects.Execute(line.file, line.parameters, FileDirPart(line.file)))
            failures.push_back({LaunchFault::Refused, line.file});
    }
    // One box at the end: the files that did open are all up by then, and it
    // can stand in front of them.
    if (!failures.empty())
        effects.ShowMessage(LaunchReportText(
            failures, [&effects](const std::string& l) { return effects.FitsInMessage(l); }));
}
