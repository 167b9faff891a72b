// Which windows get an item in the window menu, where it goes and what it
// says, and which items of owner windows are left out of the shown menu.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

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

struct MenuLinkFacts {
    uintptr_t handle;
    uintptr_t owner; // the window's owner, 0 when it has none
    int32_t itemId;
};
// The items of listed windows that own another listed window, each once, in
// the order found: an application and its owned window show as one item.
std::vector<int32_t> OwnerItemIds(const std::vector<MenuLinkFacts>& links);
