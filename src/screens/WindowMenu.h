// The window menu of the strip: the windows of both screens, each item moving
// one window across, then the companion program and the translucency switch.
#pragma once
#include "ui/Control.h"
#include "ui/Menu.h"

// Links one window item of the current menu to its window.
struct MenuLink {
    HWND Handle;
    int32_t ItemId;
};

extern Menu* WindowMenu;
extern ObjectList* MenuLinkList; // of MenuLink, owned

void CreateWindowMenu(Control* owner);
void ReleaseWindowMenu();
void CreateMenuLinkList();
// Releases the links and then the list itself.
void ReleaseMenuLinkList();

// A line of information shown greyed at the very end of the menu (the switch key in
// force); empty: none.
void SetWindowMenuNote(const std::string& text);

// Builds the menu anew; true when it has at least one item.
bool BuildWindowMenu();
// The window items: one per group of this screen, on top, and one per group
// remembered for the other screen, below.
void AddWindowItems();
void ClearWindowMenu();
void ClearMenuLinks();
void AddMenuLink(HWND window, int32_t itemId);
HWND WindowOfMenuItem(int32_t itemId);
// The event of the window items: moves the chosen window to the other screen or back.
void MoveWindowCommand(void* data, BaseObject* menu, int32_t index);
