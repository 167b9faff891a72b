// The strip on today's desktops: at another scale, with settings kept for the
// user, started with Windows.
#include "e2e/E2EFixture.h"
#include "settings/Transparency.h"

namespace e2e {
namespace {

// The scale of programs started from now on (the desktop's own stays as it is).
void SetLogPixels(DWORD dpi) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    RegCloseKey(key);
}

class DesktopE2E : public ParavueE2E {
  protected:
    void TearDown() override {
        ParavueE2E::TearDown();
        SetLogPixels(96);
        SetRunValue("");
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quenbrook");
    }

    void ChooseStartItem() {
        // The strip takes the next right click once the last menu has let go.
        LetFocusSettle();
        ChooseNearLaunchItem(-1);
    }
};

TEST_F(DesktopE2E, At144DpiTheStripIsScaledAndSitsInTheCornerAboveTheTaskbar) {
    SetLogPixels(144);
    StartAndWait();
    const RECT r = RectOf(app.strip());
    EXPECT_NEAR(r.right - r.left, 149, 1);
    EXPECT_NEAR(r.bottom - r.top, 35, 1);
    // 23 pixels of the 96-dpi layout from the right edge, on the taskbar.
    EXPECT_NEAR(r.right, kScreenW - 35, 1);
    EXPECT_NEAR(r.bottom, RectOf(Taskbar()).top, 1);
    // The controls in proportion: the switch button 28 x 20 at 96 dpi, the four
    // side by side across the panel, 3 pixels of frame around it.
    const RECT b = RectOf(app.SwitchButton());
    EXPECT_NEAR(b.right - b.left, 42, 1);
    EXPECT_NEAR(b.bottom - b.top, 30, 1);
    EXPECT_NEAR(b.left - r.left, 3, 1);
    const RECT q = RectOf(app.Button("X"));
    EXPECT_NEAR(r.right - q.right, 3, 1);
    // The stored place is in real pixels.
    EXPECT_EQ(0u, QuitWithButton());
    ExpectSavedPlace(r.left, r.top);
}

TEST_F(DesktopE2E, SettingsAreWrittenForTheUserAndReadFromTheMachineWhenTheUserHasNone) {
    WriteMachineSetting("Left", "300");
    WriteMachineSetting("Top", "40");
    StartAndWait();
    EXPECT_EQ(300, RectOf(app.strip()).left) << "the machine's place, for a user without one";
    EXPECT_EQ(40, RectOf(app.strip()).top);
    EXPECT_EQ(0u, QuitWithButton());
    ExpectSavedPlace(300, 40);

    // The user's own place now wins over the machine's, which is left as it was.
    WriteMachineSetting("Left", "500");
    app.Kill();
    StartAndWait();
    EXPECT_EQ(300, RectOf(app.strip()).left);
    EXPECT_EQ(0u, QuitWithButton());
    HKEY key;
    char data[16] = "";
    DWORD size = sizeof data - 1;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quenbrook\\Paravue", 0, KEY_READ, &key));
    RegQueryValueExA(key, "Left", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    EXPECT_STREQ("500", data);
}

TEST_F(DesktopE2E, SettingsThatCannotBeWrittenAreToldOnceAtQuitButNotAtLogOff) {
    // Under a volatile key no lasting key can be made: the user's key is refused.
    HKEY key;
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quenbrook");
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quenbrook", 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_WRITE, nullptr, &key, nullptr));
    RegCloseKey(key);
    StartAndWait();
    Click(app.Button("X"));
    std::string text;
    ASSERT_TRUE(app.WaitForMessageBox(text)) << "the user is told";
    EXPECT_EQ(0u, text.find("Para-Vue could not keep its settings")) << text;
    EXPECT_NE(std::string::npos, text.find("HKEY_CURRENT_USER\\Software\\Quenbrook\\Paravue"));
    ASSERT_TRUE(app.DismissMessageBox());
    DWORD code = 1;
    EXPECT_TRUE(app.WaitForExit(5000, code));
    EXPECT_EQ(0u, code);
    EXPECT_EQ("<none>", StoredSetting("Left"));
    app.Kill();

    StartAndWait();
    DWORD_PTR result;
    SendMessageTimeoutA(app.strip(), WM_ENDSESSION, 1, 0, SMTO_ABORTIFHUNG, 5000, &result);
    ASSERT_TRUE(app.WaitForExit(5000, code)) << "no box waits at log-off";
    EXPECT_EQ(0u, code);
}

TEST_F(DesktopE2E, StartWithWindowsIsCheckedForThisCopyAndChoosingItAddsOrRemovesTheValue) {
    SetRunValue("\"C:\\Other copy\\paravue.exe\"");
    StartAndWait();
    // The item's check mark shows in the strip's own menu (StripWindowMenu); here
    // what choosing it does: another copy's value is taken for unchecked and
    // pointed here, this copy's for checked and removed.
    const std::string me = "\"" + TestBinDir() + "paravue.exe\"";
    ChooseStartItem();
    EXPECT_TRUE(WaitFor([&] { return RunValue() == me; }, 2000)) << RunValue();
    ChooseStartItem();
    EXPECT_TRUE(WaitFor([&] { return RunValue() == "<none>"; }, 2000)) << RunValue();
    ChooseStartItem();
    EXPECT_TRUE(WaitFor([&] { return RunValue() == me; }, 2000)) << RunValue();
    EXPECT_EQ(0u, QuitWithButton());
}
} // namespace
} // namespace e2e
