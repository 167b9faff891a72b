#include "settings/Settings.h"
#include "ui/Services.h"

bool TransparencyOn = false;

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

void SaveSettingsWith(WriteSettingFn write, PositionTarget& target) {
    write(kTransparentPath, TransparencyOn ? "1" : "0");
    write(kLeftPath, IntToText(target.GetLeft()));
    write(kTopPath, IntToText(target.GetTop()));
}
