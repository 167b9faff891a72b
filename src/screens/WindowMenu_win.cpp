#include "screens/WindowMenu.h"
#include "errors/MessageBox.h"
#include "errors/err.h"
#include "launch/LaunchList.h"
#include "screens/HiddenRecord.h"
#include "screens/ProgramRules_win.h"
#include "screens/ScreenLists.h"
#include "screens/Switching.h"
#include "screens/WindowCommands.h"
#include "settings/Settings.h"
#include "settings/StartWithWindows.h"
#include "settings/Transparency.h"

Menu* WindowMenu;

namespace {
constexpr WPARAM kDesktopRefresh = 0xA065;

std::string menuNote;
std::vector<MenuLink> links;
bool linksReleased;
ScreenCountFn screenCountCommand;

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

// Tells the shell's desktop that windows came or went. A busy Explorer holds the
// strip for a moment at most, a hung one not at all.
void NotifyDesktop() {
    DWORD_PTR result = 0;
    if (HWND desktop = FindWindowExA(nullptr, nullptr, "Progman", "Program Manager"))
        SendMessageTimeoutW(desktop, WM_COMMAND, kDesktopRefresh, 0, SMTO_ABORTIFHUNG, 200,
                            &result);
}

// A program of the submenu chosen: its every-screen rule goes if it stands, else
// comes; the item's caption is the program.
void EveryScreenItem(void*, BaseObject* menu, int32_t index) {
    Menu* item = MenuItemAt(static_cast<Menu*>(menu), index);
    if (item && !Screens.Ended &&
        !SetProgramOnEveryScreen(item->caption, !(item->state & MFS_CHECKED)))
        CallMessageBox(nullptr, "Para-Vue could not save the rule.", "Para-Vue",
                       MB_OK | MB_ICONWARNING);
}

// A number chosen in "Screens": in force at once once it is saved; a number that
// cannot be saved is not taken, as the user learns.
void ScreensItem(void*, BaseObject* menu, int32_t index) {
    Menu* item = MenuItemAt(static_cast<Menu*>(menu), index);
    const MenuLink* link = item ? LinkOfMenuItem(static_cast<int32_t>(item->commandId)) : nullptr;
    // Not stored while a switch runs: it would not be the number in force.
    if (!link || link->Handle || Screens.Ended || Screens.Switching ||
        link->Target == Screens.Count())
        return;
    const int count = link->Target;
    if (!WriteScreenCount(count)) {
        CallMessageBox(nullptr, "Para-Vue could not save the number of screens.", "Para-Vue",
                       MB_OK | MB_ICONWARNING);
        return;
    }
    if (screenCountCommand)
        screenCountCommand(count);
    else
        SetScreenCount(count, nullptr);
    // A rule naming a screen that came or went holds or lapses from now on.
    StartProgramRules();
}

// "Screens": 2 to 9, the number in force checked. It stands at position, first of
// the settings that go with this screen's windows.
constexpr int32_t kScreensItems = ScreenModel::kMaxScreens - ScreenModel::kMinScreens + 1;
void AddScreensMenu(int32_t position) {
    Menu* sub = MenuItemAt(WindowMenu, static_cast<int32_t>(MenuInsertItem(
                                           WindowMenu, position, "Screens", kMenuSubmenu, {})));
    char digit[] = "N";
    for (int n = ScreenModel::kMinScreens; n <= ScreenModel::kMaxScreens; ++n) {
        digit[0] = static_cast<char>('0' + n);
        AddMenuLink(nullptr,
                    MenuAddItem(sub, digit,
                                kMenuCheckMark | (n == Screens.Count() ? kMenuChecked : 0),
                                MakeEvent(ScreensItem, nullptr)),
                    n);
    }
}

// "Keep on every screen": the programs of this screen's windows, checked where
// their rule keeps them on every screen. It stands between this screen's window
// items and the others', at position.
void AddEveryScreenMenu(int32_t position, const std::vector<std::string>& programs) {
    if (programs.empty()) return;
    Menu* sub =
        MenuItemAt(WindowMenu,
                   static_cast<int32_t>(MenuInsertItem(WindowMenu, position, "Keep on every screen",
                                                       kMenuSubmenu, MenuItemEvent{})));
    for (const std::string& program : programs)
        MenuAddItem(sub, program.c_str(),
                    kMenuCheckMark | (ProgramOnEveryScreen(program) ? kMenuChecked : 0),
                    MakeEvent(EveryScreenItem, nullptr));
}

void AddWindowItems() {
    // One item per group, named by its main window: a window's find box or
    // palette moves with it and has no item of its own.
    std::vector<HWND> all;
    std::vector<std::string> titles, programs;
    const std::vector<GroupMember> shown =
        TakingPartNow(GetShellWindow(), &all, &titles, &programs);
    std::vector<MenuCandidate> candidates(all.size());
    for (size_t i = 0; i < all.size(); ++i) {
        candidates[i].handle = KeyOf(all[i]);
        candidates[i].title = std::move(titles[i]);
    }
    // A window its program brought forward is listed and moved from here.
    ClaimOnView(shown);
    for (const GroupMember& m : shown) {
        if (m.main == m.handle)
            for (MenuCandidate& c : candidates)
                if (c.handle == m.handle) c.leadsShownGroup = true;
    }
    for (MenuCandidate& c : candidates)
        if (!c.leadsShownGroup && Screens.ScreenOf(c.handle) != 0)
            c.seemsVisible = SeemsVisible(WindowOf(c.handle));
    // The groups of this screen above the separator the menu starts with, the
    // others below it. Positions count the items of submenus too (depth first).
    int32_t above = 0;
    for (const MenuWindowItem& item : Screens.MenuItems(candidates)) {
        const char* caption = item.title.c_str();
        const uint32_t options = item.target ? 0 : kMenuSubmenu;
        const uint32_t id = item.leadsShownGroup
                                ? MenuInsertItem(WindowMenu, above++, caption, options, MoveEvent())
                                : MenuAddItem(WindowMenu, caption, options, MoveEvent());
        if (item.target) {
            AddMenuLink(WindowOf(item.handle), id, item.target);
            continue;
        }
        // The user picks the screen: one sub-item each, with a link of its own.
        Menu* sub = MenuItemAt(WindowMenu, static_cast<int32_t>(id));
        char to[] = "to screen N";
        for (int s = 1; s <= Screens.Count(); ++s) {
            to[sizeof to - 2] = static_cast<char>('0' + s);
            if (s == item.from) continue;
            AddMenuLink(WindowOf(item.handle), MenuAddItem(sub, to, 0, MoveEvent()), s);
            above += item.leadsShownGroup;
        }
    }
    AddScreensMenu(above + 1);
    AddEveryScreenMenu(above + 2 + kScreensItems, programs);
}
} // namespace

void SetScreenCountCommand(ScreenCountFn command) {
    screenCountCommand = command;
}

void SetWindowMenuNote(const std::string& text) {
    menuNote = text;
}

void CreateWindowMenu(Control* owner) {
    WindowMenu = CreateMenuObject(owner, 0, nullptr, 0, MoveEvent());
    linksReleased = false;
}

void ReleaseWindowMenu() {
    Menu* menu = WindowMenu;
    WindowMenu = nullptr;
    FreeObject(menu);
}

void ClearWindowMenu() {
    // Last first: each leaves the end of the lists, nothing moves up,
    // and there is no recount of the menu per item (hundreds of windows listed).
    ObjectList* items = WindowMenu ? WindowMenu->items : nullptr;
    while (items && items->count > 0) {
        const int32_t before = items->count;
        FreeObject(static_cast<Menu*>(ListGet(items, before - 1)));
        if (items->count == before) break; // an item that will not go
    }
}

const std::vector<MenuLink>& MenuLinks() {
    return links;
}

void ClearMenuLinks() {
    links.clear();
}

void ReleaseMenuLinks() {
    links.clear();
    links.shrink_to_fit();
    linksReleased = true;
}

void AddMenuLink(HWND window, int32_t itemId, int target) {
    if (!linksReleased) links.push_back({window, itemId, target});
}

const MenuLink* LinkOfMenuItem(int32_t itemId) {
    for (const MenuLink& link : links)
        if (link.ItemId == itemId) return &link;
    return nullptr;
}

bool BuildWindowMenu() {
    if (!WindowMenu || Screens.Ended) return false;
    ClearWindowMenu();
    if (MenuItemCount(WindowMenu) > 0) return false;
    MenuAddItem(WindowMenu, "", kMenuSeparator, MoveEvent());
    ProcessMessages(ApplicationObject);
    // The messages just handled may have ended the run.
    if (!WindowMenu || Screens.Ended) return false;
    ClearMenuLinks();
    AddWindowItems();
    MenuAddItem(WindowMenu, "", kMenuSeparator, MoveEvent());
    MenuAddItem(WindowMenu, "Launch \"Kindlet\" (for launching groups of files)", 0,
                MakeEvent(LaunchKindletItem, nullptr));
    MenuAddItem(WindowMenu, "Start with Windows",
                kMenuCheckMark | (StartsWithWindows() ? kMenuChecked : 0),
                MakeEvent(StartWithWindowsItem, nullptr));
    if (LayeredSupported)
        MenuAddItem(WindowMenu, "Transparent", kMenuCheckMark | (TransparencyOn ? kMenuChecked : 0),
                    MakeEvent(TransparentItem, nullptr));
    if (!menuNote.empty()) MenuAddItem(WindowMenu, menuNote.c_str(), kMenuGreyed, MenuItemEvent{});
    return MenuItemCount(WindowMenu) > 0;
}

bool MoveGroupQuietly(HWND window, int target) {
    if (Screens.Ended) return false;
    const bool shown = Screens.ScreenOf(KeyOf(window)) == 0;
    const MovePlan plan = Screens.MoveGroup(
        KeyOf(window), target, shown ? ShownWindowsNow(window) : RememberedGroupOf(window),
        KeyOf(GetForegroundWindow()));
    // Remembered before the first hide is asked for; a group on its way back is
    // out of the record already, and its requests outlive us.
    PublishHiddenWindows();
    WindowBatch batch;
    // The group goes as a switch takes it, and comes back on top of this screen.
    for (uintptr_t w : plan.hide)
        batch.Hide(WindowOf(w));
    for (const WindowEntry& e : plan.show)
        if (IsWindow(WindowOf(e.Handle))) batch.Show(WindowOf(e.Handle), true);
    batch.Wait();
    return !plan.hide.empty();
}

void MoveGroupTo(HWND window, int target) {
    MoveGroupQuietly(window, target);
    NotifyDesktop();
}

void MoveWindowCommand(void*, BaseObject* sender, int32_t index) {
    Menu* item = MenuItemAt(static_cast<Menu*>(sender), index);
    const MenuLink* link = item ? LinkOfMenuItem(static_cast<int32_t>(item->commandId)) : nullptr;
    if (link)
        MoveGroupTo(link->Handle, link->Target);
    else
        NotifyDesktop();
}
