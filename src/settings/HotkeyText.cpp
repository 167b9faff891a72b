#include "settings/HotkeyText.h"
#include "ui/Services.h"
#include <cctype>
#include <string_view>

namespace {
struct Named {
    const char* name;
    uint32_t code;
};

constexpr Named kModifiers[] = {
    {"Ctrl", kHotkeyCtrl}, {"Alt", kHotkeyAlt}, {"Shift", kHotkeyShift}, {"Win", kHotkeyWin}};

constexpr Named kKeys[] = {
    {"Space", kVK_SPACE}, {"PageUp", kVK_PRIOR},  {"PageDown", kVK_NEXT}, {"End", kVK_END},
    {"Home", kVK_HOME},   {"Left", kVK_LEFT},     {"Up", kVK_UP},         {"Right", kVK_RIGHT},
    {"Down", kVK_DOWN},   {"Insert", kVK_INSERT}, {"Delete", kVK_DELETE},
};

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

// The key code of a key name; 0 when it names no key we offer.
uint32_t KeyCode(std::string_view name) {
    if (name.empty()) return 0;
    if (name.size() == 1) {
        const unsigned char c = static_cast<unsigned char>(name[0]);
        if (std::isdigit(c)) return c;
        if (c < 0x80 && std::isalpha(c)) return static_cast<uint32_t>(std::toupper(c));
        return 0;
    }
    for (const Named& k : kKeys)
        if (SameName(name, k.name)) return k.code;
    if ((name[0] == 'F' || name[0] == 'f') && name.size() <= 3) {
        uint32_t n = 0;
        for (char c : name.substr(1)) {
            if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
            n = n * 10 + static_cast<uint32_t>(c - '0');
        }
        if (name[1] != '0' && n >= 1 && n <= 24) return kVK_F1 + n - 1;
    }
    return 0;
}

std::string KeyName(uint32_t code) {
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z'))
        return std::string(1, static_cast<char>(code));
    if (code >= kVK_F1 && code < kVK_F1 + 24) return "F" + UIntToText(code - kVK_F1 + 1);
    for (const Named& k : kKeys)
        if (k.code == code) return k.name;
    return "?";
}
} // namespace

HotkeyParse ParseHotkey(const std::string& text) {
    HotkeyParse result;
    std::string_view rest = text;
    if (Trimmed(rest).empty()) {
        result.status = HotkeyStatus::Empty;
        return result;
    }
    Hotkey hotkey;
    for (;;) {
        const size_t plus = rest.find('+');
        const std::string_view part = Trimmed(rest.substr(0, plus));
        if (plus == std::string_view::npos) {
            // The last part is the key, after at least one modifier.
            hotkey.key = KeyCode(part);
            if (hotkey.key == 0 || hotkey.modifiers == 0) return result;
            result.status = HotkeyStatus::Ok;
            result.hotkey = hotkey;
            return result;
        }
        uint32_t bit = 0;
        for (const Named& m : kModifiers)
            if (SameName(part, m.name)) bit = m.code;
        if (bit == 0 || (hotkey.modifiers & bit)) return result;
        hotkey.modifiers |= bit;
        rest.remove_prefix(plus + 1);
    }
}

std::string HotkeyName(const Hotkey& hotkey) {
    std::string name;
    for (const Named& m : kModifiers)
        if (hotkey.modifiers & m.code) (name += m.name) += '+';
    name += KeyName(hotkey.key);
    return name;
}

void AddKeyNote(std::string& line, const char* name, const HotkeyParse& parse, bool registered) {
    const bool first = line.empty(), ok = parse.status == HotkeyStatus::Ok;
    if (!first) line += "; ";
    if (!ok || !registered) line += "no ";
    line += name;
    if (parse.status == HotkeyStatus::Empty)
        line += " (turned off)";
    else if (!ok)
        line += ": the setting is not valid";
    else
        line += ": " + HotkeyName(parse.hotkey) + (registered ? "" : " is in use");
    if (first) line[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(line[0])));
}

void AddTakenKeysNote(std::string& line, const Hotkey* taken, int count) {
    for (int i = 0; i < count; ++i)
        (line += i ? ", " : "; ") += HotkeyName(taken[i]);
    if (count) line += count > 1 ? " are in use" : " is in use";
}

bool IgnoreHotkeyPress(bool defaultKey, const KeyFacts& keys) {
    return defaultKey && keys.layoutHasAltGr && keys.rightAltDown && !keys.leftAltDown;
}

bool FollowKeyEvent(AltGrWatch& w, uint32_t vk, bool extended, bool up, bool (*altGrLayout)()) {
    const bool right = vk == kVK_RMENU || (vk == kVK_MENU && extended);
    if (!right && vk != kVK_LMENU && vk != kVK_MENU) return false;
    bool& down = right ? w.keys.rightAltDown : w.keys.leftAltDown;
    // A key held down repeats its press: the layout is read once, as it goes down.
    if (right && !up && !down) w.keys.layoutHasAltGr = altGrLayout();
    down = !up;
    const bool aside = IgnoreHotkeyPress(true, w.keys);
    if (aside == w.aside) return false;
    w.aside = aside;
    return true;
}
