// Launch lists: a text file naming files to open, one per line with optional
// parameters, carried out at start-up on the other screen. The rules that
// decide live here; the shell and the message boxes are reached through
// LaunchEffects so that the same sequence runs for real and in tests.
#pragma once
#include <functional>
#include <string>
#include <vector>

// The program's own folder, ending in "\"; set once at start-up.
extern std::string ProgramDir;

// dir + "\" + name; no second delimiter when dir already ends in one, and name
// alone when dir is empty.
std::string JoinPath(const std::string& dir, const std::string& name);
// Text without blanks (character 32 only; tabs stay) at either end.
std::string TrimBlanks(const std::string& text);
// The list file named by the command-line parameters: joined with single
// blanks (a path with blanks given without quotes arrives in pieces), then
// blanks and double quotes stripped from the end, then from the start.
std::string CommandLineFileOf(const std::vector<std::string>& params);

using FileExistsFn = std::function<bool(const std::string&)>;

struct LaunchLine {
    bool skip = false; // empty or a comment
    std::string file;
    std::string parameters;
};
// One line of a list. A line naming an existing file as a whole is taken
// whole; otherwise a leading quote runs to the next quote (no closing quote:
// not split), else the line splits at its last blank.
LaunchLine ParseLaunchLine(const std::string& line, const FileExistsFn& fileExists);

// The list to read: the path as given, else a file of the same name in
// ProgramDir. Empty when neither exists.
std::string FindLaunchList(const std::string& path, const std::string& programDir,
                           const FileExistsFn& fileExists);

std::string ErrorExecutingMessage(const std::string& path);
// What is wrong with the list itself, each in words of its own: no such file,
// a file that cannot be opened, a file that is not text.
std::string MissingListMessage(const std::string& path);
std::string UnreadableListMessage(const std::string& path);
std::string NotTextListMessage(const std::string& path);

// What carrying out a list does to the world.
class LaunchEffects {
  public:
    virtual bool FileExists(const std::string& path) = 0;
    // Goes to the other screen and lets the windows settle; called at most once.
    virtual void SwitchScreen() = 0;
    // Opens file; false when the shell refused.
    virtual bool Execute(const std::string& file, const std::string& parameters,
                         const std::string& directory) = 0;
    virtual void ShowMessage(const std::string& text) = 0;
    // Whether a line of a message fits the screen without being cut.
    virtual bool FitsInMessage(const std::string& line) = 0;

  protected:
    ~LaunchEffects() = default;
};

// Carries out the lines of a list in order: one screen switch before the first
// file that exists; at the end one message naming every entry that is missing
// (a file in quotes by that file, any other by its whole line) or that the shell
// refused (LaunchReport.h).
void CarryOutLaunchList(const std::vector<std::string>& lines, LaunchEffects& effects);

// ---- Win32 ----

// Screen switching belongs to the main form; whoever runs a list lends it.
struct LaunchHooks {
    void (*switchScreen)(void* data) = nullptr; // as a click on the switch button
    void (*processMessages)(void* data) = nullptr;
    void* data = nullptr;
};

// The list file named on the command line (call only when there are parameters).
std::string CommandLineFile();
enum class ListRead { Ok, Unreadable, NotText };
// The lines of a list file in UTF-8, whatever form it was saved in (ListText.h).
ListRead ReadLaunchListLines(const std::string& path, std::vector<std::string>& lines);
void RunLaunchList(const std::string& path, const LaunchHooks& hooks);
// Starts the companion program from ProgramDir.
void LaunchKindlet();
