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
    for (const WindowEntry& e : Screens.List(screen))
        for (const std::string& n : names)
            if (KeyOf(prog.Window(n)) == e.Handle) recorded.push_back(n);
    return recorded;
}

// How many windows the model remembers for screen.
inline int ListCount(int screen) {
    return static_cast<int>(Screens.List(screen).size());
}
// The place of window in the list of screen; -1 when it is not there.
inline int EntryIndex(int screen, HWND window) {
    const std::vector<WindowEntry> list = Screens.List(screen);
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].Handle == KeyOf(window)) return static_cast<int>(i);
    return -1;
}
// The entry of window in the list of screen, as a copy; Handle 0 when none.
inline WindowEntry EntryOf(int screen, HWND window) {
    for (const WindowEntry& e : Screens.List(screen))
        if (e.Handle == KeyOf(window)) return e;
    return {};
}
