// Building and clearing the strip's window menu against real windows and menus.
#include "screens/ScreenLists.h"
#include "screens/WindowMenu.h"
#include "support/OtherProgram.h"
#include <gtest/gtest.h>

namespace {
class WindowMenuTest : public ::testing::Test {
  protected:
    void SetUp() override {
        app_ = CreateApplication("tallowin");
        form_ = CreateForm(app_, "menu owner");
        panel_ = CreatePanel(form_, 2);
        CreateWindowMenu(panel_);
        Screens.Reset();
    }
    void TearDown() override {
        ClearMenuLinks();
        ReleaseWindowMenu();
        Terminate(app_);
    }
    Control* app_ = nullptr;
    Control* form_ = nullptr;
    Control* panel_ = nullptr;
};
} // namespace

TEST_F(WindowMenuTest, ClearingTakesEveryItemOutOfTheObjectsAndThePlatformMenu) {
    std::vector<WindowSpec> specs;
    for (int i = 0; i < 40; ++i)
        specs.push_back({"m" + std::to_string(i), "v", "", "Menu window " + std::to_string(i)});
    OtherProgram prog(specs);
    ASSERT_TRUE(prog.started());

    ASSERT_TRUE(BuildWindowMenu());
    const int built = MenuItemCount(WindowMenu);
    EXPECT_GE(built, 40 + 3) << "forty windows, two separators and the companion item";
    // The top menu's items; the submenu of programs holds its own.
    const int top = WindowMenu->items->count;
    EXPECT_EQ(GetMenuItemCount(WindowMenu->handle), top);

    ClearWindowMenu();
    EXPECT_EQ(MenuItemCount(WindowMenu), 0);
    EXPECT_EQ(GetMenuItemCount(WindowMenu->handle), 0);

    // A second build after a first lists the same, not twice as much.
    ASSERT_TRUE(BuildWindowMenu());
    EXPECT_EQ(MenuItemCount(WindowMenu), built);
    EXPECT_EQ(GetMenuItemCount(WindowMenu->handle), top);
}
