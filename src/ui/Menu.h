// Popup menus and menu bars: a tree of Menu objects over the platform's menus.
#pragma once
#include "ui/Control.h"
#include "ui/MenuRules.h"
#include <string>

// Routine(data, the top menu, the chosen item's index).
using MenuItemEvent = EventRef<BaseObject*, int32_t>;

class Menu : public MenuNode {
  public:
    HMENU handle = nullptr;   // the platform menu of a top menu or of a submenu item
    Control* owner = nullptr; // top menu only; borrowed
    Menu* next = nullptr;     // next top menu of the same owner; owned
    std::string caption;
    uint32_t state = 0;
    bool separator = false;
    int32_t radioGroup = 0;
    bool checkable = false;
    bool isMenuBar = false;
    MenuItemEvent OnItem;     // an item's own event
    MenuItemEvent OnMenuItem; // the top menu's event for items without their own
    NotifyEvent OnPopup;
    UINT trackFlags = 0;
    bool noTrack = false;
    bool live = true;
    bool byAccelerator = false;

    void Destroy() override;

  protected:
    ~Menu() override = default;
};

// The program passes an empty template; a template's captions become plain items.
Menu* CreateMenuObject(Control* owner, int unused, const char* const* templ, int templateCount,
                       MenuItemEvent onMenuItem);
uint32_t MenuAddItem(Menu* menu, const char* caption, uint32_t options, MenuItemEvent event = {});
// Inserts before the item with index position (0..0xFFF), else appends.
uint32_t MenuInsertItem(Menu* menu, int32_t position, const char* caption, uint32_t options,
                        MenuItemEvent event = {});
// Item n (depth first); from 0x1000 on also the item with that command identifier.
Menu* MenuItemAt(Menu* menu, int32_t n);
int32_t MenuItemCount(Menu* menu);
std::string MenuItemCaption(Menu* menu, int32_t n);
void MenuItemSetState(Menu* item, int32_t bits, bool on);
void MenuPopup(Menu* menu, int x, int y);
// The top menu an item belongs to.
Menu* MenuTop(Menu* item);
