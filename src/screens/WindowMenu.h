// The window menu of the strip: the windows of every screen, each item moving one
// window's group to another screen, the number of screens and the programs kept on
// every screen, then the companion program, the start with Windows and
// translucency switches, and a greyed note.
#pragma once
#include "ui/Control.h"
#include "ui/Menu.h"
#include <vector>

// What an item of the current menu does: a window item moves the group of Handle
// to the screen Target; an item of the "Screens" submenu (Handle null) makes Target
// the number of screens.
struct MenuLink {
    HWND Handle;
    int32_t ItemId;
    int Target;
};

extern Menu* WindowMenu;

void CreateWindowMenu(Control* owner);
void ReleaseWindowMenu();

// A line of information shown greyed at the very end of the menu (the keys in
// force); empty: none.
void SetWindowMenuNote(const std::string& text);

// What the strip does once a number of screens is chosen and saved: the windows,
// its texts and its keys follow (SetScreenCount and more). Unset: the windows alone.
using ScreenCountFn = void (*)(int count);
void SetScreenCountCommand(ScreenCountFn command);

// Builds the menu anew; true when it has at least one item.
bool BuildWindowMenu();
void ClearWindowMenu();
// The links of the current menu's window items.
const std::vector<MenuLink>& MenuLinks();
void ClearMenuLinks();
void ReleaseMenuLinks();
void AddMenuLink(HWND window, int32_t itemId, int target);
// The link of the item with that identifier; null when it is none of the window items.
const MenuLink* LinkOfMenuItem(int32_t itemId);
// The event of the window items: moves the chosen window's group where its link says.
void MoveWindowCommand(void* data, BaseObject* menu, int32_t index);
// Moves the group whose main window is window to screen target, where the user
// sees it go or come; the screen shown stays. The move key's way too.
void MoveGroupTo(HWND window, int target);
// MoveGroupTo without telling the shell's desktop; true when windows left the
// screen shown.
bool MoveGroupQuietly(HWND window, int target);
