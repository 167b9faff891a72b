#include "screens/WindowMenu.h"
#include "errors/MessageBox.h"
#include "errors/err.h"
#include "launch/LaunchList.h"
#include "screens/Eligibility.h"
#include "screens/MoveCaptions.h"
#include "screens/QuitRestore.h"
#include "screens/ScreenLists.h"
#include "screens/WindowCommands.h"
#include "screens/HiddenRecord.h"
#include "screens/WindowMenuItems.h"
#include "settings/Settings.h"
#include "settings/StartWithWindows.h"
#include "settings/Transparency.h"

Menu* WindowMenu;
ObjectList* MenuLinkList;

namespace {
constexpr WPARAM kDesktopRefresh = 0xA065;

std::string menuNote;

MenuItemEvent MoveEvent() {
    return MakeEvent(MoveWindowCommand, nullptr);
}

void LaunchKindletItem(void*, BaseObject*, int32_t) {
    LaunchKindlet();
}
void TransparentItem(void*, BaseObject*, int32_t) {
    ToggleTransparency();
}
// Checked only for a value that starts this very copy; otherwise a choice makes it so.
void StartWithWindowsItem(void*, BaseObject*, int32_t) {
    if (!SetStartWithWindows(!StartsWithWindows()))
        CallMessageBox(nullptr, "Para-Vue could not change whether it starts with Windows.",
                       "Para-Vue", MB_OK | MB_ICONWARNING);
}

// Tells the shell's desktop that windows came or went.
void NotifyDesktop() {
    if (HWND desktop = FindWindowA("Progman", "Program Manager"))
        SendMessageA(desktop, WM_COMMAND, kDesktopRefresh, 0);
}
} // namespace

void SetWindowMenuNote(const std::string& text) {
    menuNote = text;
}

void CreateWindowMenu(Control* owner) {
    WindowMenu = CreateMenuObject(owner, 0, nullptr, 0, MoveEvent());
}

void ReleaseWindowMenu() {
    Menu* menu = WindowMenu;
    WindowMenu = nullptr;
    FreeObject(menu);
}

void CreateMenuLinkList() {
    MenuLinkList = CreateList();
}

void ReleaseMenuLinkList() {
    ClearMenuLinks();
    FreeObject(MenuLinkList);
    MenuLinkList = nullptr;
}

void ClearWindowMenu() {
    // The window menu's items have no items of their own, so its item list is the
    // whole menu. Last first: each leaves the end of the lists, nothing moves up,
    // and there is no recount of the menu per item (hundreds of windows listed).
    ObjectList* items = WindowMenu ? WindowMenu->items : nullptr;
    while (items && items->count > 0) {
        const int32_t before = items->count;
        FreeObject(static_cast<Menu*>(ListGet(items, before - 1)));
        if (items->count == before) break; // an item that will not go
    }
}

void ClearMenuLinks() {
    if (!MenuLinkList) return;
    for (int32_t i = 0; i < MenuLinkList->count; ++i)
        delete static_cast<MenuLink*>(ListGet(MenuLinkList, i));
    ListClear(MenuLinkList);
}

void AddMenuLink(HWND window, int32_t itemId) {
    if (MenuLinkList) ListAdd(MenuLinkList, new MenuLink{window, itemId});
}

HWND WindowOfMenuItem(int32_t itemId) {
    if (!MenuLinkList) return nullptr;
    for (int32_t i = 0; i < MenuLinkList->count; ++i) {
        auto* link = static_cast<MenuLink*>(ListGet(MenuLinkList, i));
        if (link->ItemId == itemId) return link->Handle;
    }
    return nullptr;
}

static void AddWindowItem(HWND window, HWND shell) {
    // Judged by the state last asked for: a busy program's window is listed
    // where it is going, not where it still stands.
    const bool visible = SeemsVisible(window);
    const bool remembered = !visible && FindEntryIndex(OtherScreen(CurrentScreen), window) != -1;
    if (!visible && !remembered) return;
    // Visibility decides the kind of item, not whether there is one.
    const WindowFacts facts = ReadWindowFacts(window, true, shell);
    if (ClassifyWindow(facts) != WindowVerdict::TakesPart) return;
    WindowItemPlan plan = PlanWindowItem(CurrentScreen, visible, remembered, facts.title);
    if (plan.place == ItemPlace::Top)
        AddMenuLink(window, MenuInsertItem(WindowMenu, 0, plan.caption.c_str(), 0, MoveEvent()));
    else if (plan.place == ItemPlace::End)
        AddMenuLink(window, MenuAddItem(WindowMenu, plan.caption.c_str(), 0, MoveEvent()));
}

BOOL CALLBACK AddWindowMenuItem(HWND window, LPARAM param) {
    err::Guarded([&] { AddWindowItem(window, reinterpret_cast<HWND>(param)); });
    return TRUE;
}

void RemoveOwnerItems() {
    std::vector<MenuLinkFacts> links;
    links.reserve(MenuLinkList->count);
    for (int32_t i = 0; i < MenuLinkList->count; ++i) {
        auto* link = static_cast<MenuLink*>(ListGet(MenuLinkList, i));
        links.push_back({reinterpret_cast<uintptr_t>(link->Handle),
                         reinterpret_cast<uintptr_t>(GetWindow(link->Handle, GW_OWNER)),
                         link->ItemId});
    }
    for (int32_t id : OwnerItemIds(links))
        RemoveMenu(WindowMenu->handle, static_cast<UINT>(id), MF_BYCOMMAND);
}

bool BuildWindowMenu() {
    if (!WindowMenu || RestoreStarted) return false;
    ClearWindowMenu();
    if (MenuItemCount(WindowMenu) > 0) return false;
    MenuAddItem(WindowMenu, "", kMenuSeparator, MoveEvent());
    ProcessMessages(ApplicationObject);
    // The messages just handled may have ended the run.
    if (!WindowMenu || RestoreStarted) return false;
    ClearMenuLinks();
    EnumWindows(AddWindowMenuItem, reinterpret_cast<LPARAM>(GetShellWindow()));
    RemoveOwnerItems();
    MenuAddItem(WindowMenu, "", kMenuSeparator, MoveEvent());
    MenuAddItem(WindowMenu, "Launch \"Kindlet\" (for launching groups of files)", 0,
                MakeEvent(LaunchKindletItem, nullptr));
    MenuAddItem(WindowMenu, "Start with Windows", kMenuCheckMark,
                MakeEvent(StartWithWindowsItem, nullptr));
    MenuItemSetState(MenuItemAt(WindowMenu, MenuItemCount(WindowMenu) - 1), MFS_CHECKED,
                     StartsWithWindows());
    if (LayeredSupported) {
        MenuAddItem(WindowMenu, "Transparent", kMenuCheckMark, MakeEvent(TransparentItem, nullptr));
        MenuItemSetState(MenuItemAt(WindowMenu, MenuItemCount(WindowMenu) - 1), MFS_CHECKED,
                         TransparencyOn);
    }
    if (!menuNote.empty()) MenuAddItem(WindowMenu, menuNote.c_str(), kMenuGreyed, MenuItemEvent{});
    return MenuItemCount(WindowMenu) > 0;
}

void MoveWindowCommand(void*, BaseObject* sender, int32_t index) {
    Menu* menu = static_cast<Menu*>(sender);
    Menu* item = MenuItemAt(menu, index);
    if (item && !RestoreStarted) {
        MoveChoice choice = DecideMove(MenuItemCaption(menu, index));
        HWND window = WindowOfMenuItem(static_cast<int32_t>(item->commandId));
        const int target = OtherScreen(choice.sourceScreen);
        WindowBatch batch;
        if (window && choice.direction == MoveDirection::ToOtherScreen &&
            FindEntryIndex(target, window) == -1) {
            // The owner goes along and is remembered with it, as in a switch.
            HWND owner = GetWindow(window, GW_OWNER);
            const bool withOwner = owner && SeemsVisible(owner);
            HWND foreground = GetForegroundWindow();
            if (withOwner) RememberWindow(target, owner, foreground);
            RememberWindow(target, window, foreground);
            PublishHiddenWindows();
            if (withOwner) batch.Show(owner, SW_HIDE);
            batch.Show(window, SW_HIDE);
        } else if (window && choice.direction == MoveDirection::ToThisScreen &&
                   ForgetWindow(choice.sourceScreen, window)) {
            // An owner waiting on the same screen comes along, first.
            HWND owner = GetWindow(window, GW_OWNER);
            if (owner && ForgetWindow(choice.sourceScreen, owner)) batch.Show(owner, SW_SHOW);
            batch.Show(window, SW_SHOW);
            PublishHiddenWindows();
        }
        batch.Wait();
    }
    NotifyDesktop();
}
