#include "launch/LaunchList.h"
#include "ui/Services_win.h"
#include "ui/StringList_win.h"
#include <windows.h>
#include "launch/ShellExecute.h"
#include "launch/ListText.h"
#include "errors/Wide_win.h"

std::string CommandLineFile() {
    std::vector<std::string> params;
    int count = GetParamCount();
    for (int i = 1; i <= count; ++i)
        params.push_back(GetParam(i));
    return CommandLineFileOf(params);
}

static bool ShellOpen(const std::string& file, const char* parameters,
                      const std::string& directory) {
    HINSTANCE result = ShellExecuteLate(nullptr, nullptr, file.c_str(), parameters,
                                        directory.c_str(), SW_SHOWNORMAL);
    // The shell reports failure as a value of 32 or less.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

namespace {

class ShellLaunch final : public LaunchEffects {
  public:
    explicit ShellLaunch(const LaunchHooks& hooks) : hooks(hooks) {}

    bool FileExists(const std::string& path) override { return ::FileExists(path); }

    void SwitchScreen() override {
        if (hooks.switchScreen) hooks.switchScreen(hooks.data);
        // Let the hidden and shown windows finish before anything new opens.
        if (hooks.processMessages) hooks.processMessages(hooks.data);
    }

    bool Execute(const std::string& file, const std::string& parameters,
                 const std::string& directory) override {
        return ShellOpen(file, parameters.c_str(), directory);
    }

    void ShowMessage(const std::string& text) override { ::ShowMessage(text); }

  private:
    const LaunchHooks& hooks;
};

struct StringListHolder {
    StringList* list = CreateStringList();
    ~StringListHolder() { FreeObject(list); }
};

} // namespace

bool ReadLaunchListLines(const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) return false;
    const std::string text = DecodeListText(bytes, AnsiToUtf8);
    StringListHolder holder;
    StringListSetText(holder.list, text.data(), text.size());
    lines.reserve(holder.list->count);
    for (int32_t i = 0; i < holder.list->count; ++i)
        lines.push_back(StringListGet(holder.list, i));
    return true;
}

void RunLaunchList(const std::string& path, const LaunchHooks& hooks) {
    std::string found =
        FindLaunchList(path, ProgramDir, [](const std::string& p) { return FileExists(p); });
    if (found.empty()) {
        ShowMessage(CannotFindFileMessage(path));
        return;
    }
    std::vector<std::string> lines;
    // An unreadable list is left alone without a word.
    if (!ReadLaunchListLines(found, lines)) return;
    ShellLaunch effects(hooks);
    CarryOutLaunchList(lines, effects);
}

void LaunchKindlet() {
    std::string path = JoinPath(ProgramDir, "kindlet.exe");
    if (!ShellOpen(path, nullptr, FileDirPart(path))) ShowMessage(ErrorExecutingMessage(path));
}
