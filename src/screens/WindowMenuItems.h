// Which windows get an item in the window menu, where it goes and what it says.
#pragma once
#include <string>

enum class ItemPlace { None, Top, End };

struct WindowItemPlan {
    ItemPlace place = ItemPlace::None;
    std::string caption;
};
// A visible window belongs to the screen shown and goes on top (the window
// enumerated last stands first); a hidden one only when it is remembered for
// the other screen, appended below.
WindowItemPlan PlanWindowItem(int currentScreen, bool visible, bool rememberedForOther,
                              const std::string& title);
