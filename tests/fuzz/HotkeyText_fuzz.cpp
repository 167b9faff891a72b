// Fuzzes the hotkey setting: any text is read without harm, and whatever is read
// as a hotkey names itself in a form that reads back to the same hotkey.
#include "settings/HotkeyText.h"
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const HotkeyParse p = ParseHotkey(text);
    std::string note;
    AddKeyNote(note, "hotkey", p, true);
    AddKeyNote(note, "move key", p, false);
    if (p.status != HotkeyStatus::Ok) return 0;
    if (p.hotkey.modifiers == 0 || (p.hotkey.modifiers & ~0xFu) || p.hotkey.key == 0) std::abort();
    const HotkeyParse again = ParseHotkey(HotkeyName(p.hotkey));
    if (again.status != HotkeyStatus::Ok || again.hotkey.modifiers != p.hotkey.modifiers ||
        again.hotkey.key != p.hotkey.key)
        std::abort();
    return 0;
}
