// What the screen lists and the windows of another program show after a switch:
// which windows are visible, which were shown or hidden and what each screen recorded.
#pragma once
#include "screens/ScreenLists.h"
#include "support/OtherProgram.h"
#include <string>
#include <vector>

// Which of prog's named windows are visible, as "name+ " or "name- " each.
inline std::string Visibility(const OtherProgram& prog, const std::vector<std::string>& names) {
    std::string s;
    for (const std::string& n : names)
        s += n + (IsWindowVisible(prog.Window(n)) ? "+ " : "- ");
    return s;
}

// The windows of prog shown (or hidden), in order, by name. Showing a window that is
// visible already changes nothing and is not logged.
inline std::vector<std::string> ShownNames(const OtherProgram& prog) {
    std::vector<std::string> shows;
    for (const std::string& l : prog.ShowHideLog())
        if (l.ends_with(" show")) shows.push_back(l.substr(0, l.size() - 5));
    return shows;
}
inline std::vector<std::string> HiddenNames(const OtherProgram& prog) {
    std::vector<std::string> hides;
    for (const std::string& l : prog.ShowHideLog())
        if (l.ends_with(" hide")) hides.push_back(l.substr(0, l.size() - 5));
    return hides;
}

// The entries of a screen's list that stand for windows of prog, by name, in list order.
inline std::vector<std::string> RecordedNames(int screen, const OtherProgram& prog,
                                              const std::vector<std::string>& names) {
    std::vector<std::string> recorded;
    ObjectList* list = ScreenListOf(screen);
    for (int32_t i = 0; list && i < list->count; ++i) {
        HWND h = static_cast<WindowEntry*>(ListGet(list, i))->Handle;
        for (const std::string& n : names)
            if (prog.Window(n) == h) recorded.push_back(n);
    }
    return recorded;
}
