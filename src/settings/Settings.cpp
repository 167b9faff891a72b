#include "settings/Settings.h"
#include "ui/Services.h"

bool TransparencyOn = false;

int ScreenCountFromValue(uint32_t value) {
    return value < 2 ? 2 : value > 9 ? 9 : static_cast<int>(value);
}

bool TransparencyFromText(const std::string& text, bool current) {
    return text.empty() ? current : text == "1";
}

void LoadSettingsWith(ReadSettingFn read, PositionTarget& target) {
    std::string text;
    if (read(kTransparentPath, text)) TransparencyOn = TransparencyFromText(text, TransparencyOn);
    // A bad stored position must not stop the start: a C++ error while it is
    // applied is dropped, and the transparency read above stays. (A processor
    // fault still goes to the report.)
    try {
        if (read(kLeftPath, text) && !text.empty()) target.SetLeft(TextToInt(text));
        if (read(kTopPath, text) && !text.empty()) target.SetTop(TextToInt(text));
    } catch (...) {
    }
}

bool SaveSettingsWith(WriteSettingFn write, PositionTarget& target) {
    bool ok = write(kTransparentPath, TransparencyOn ? "1" : "0");
    ok = write(kLeftPath, IntToText(target.GetLeft())) && ok;
    return write(kTopPath, IntToText(target.GetTop())) && ok;
}

bool ReadSettingChain(ReadSourceFn read, const std::string& path, std::string& text) {
    const std::string name = path.substr(path.rfind('\\') + 1);
    for (const SettingsSource& source : kSettingsSources)
        if (read(source.machine, std::string(source.key) + "\\" + name, text)) return true;
    text.clear();
    return false;
}

std::string SettingsNotKeptText(std::string reason) {
    // The system's texts end in a line break.
    while (!reason.empty() &&
           (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
        reason.pop_back();
    return "Para-Vue could not keep its settings (translucency and the strip's place) in " +
           std::string(kUserSettingsName) + ":\r\n" + (reason.empty() ? "unknown error" : reason);
}
