// The real strip built inside a test program, the way the program entry builds it,
// and taken down completely after each test: the application, the form and its
// controls, the window menu, the lists, the tooltip window and the stored settings.
#pragma once
#include "app/MainInteraction.h"
#include "app/Unit1.h"
#include "screens/QuitRestore.h"
#include "screens/ScreenLists.h"
#include "screens/WindowMenu.h"
#include "settings/Settings.h"
#include "settings/Transparency.h"
#include "support/OtherProgram.h"
#include "support/ParavueDriver.h"
#include "support/ScreenChecks.h"
#include "ui/LayerTestSupport.h"
#include "ui/Control.h"
#include "ui/Services_win.h"
#include <commctrl.h>
#include <gtest/gtest.h>
#include <functional>
#include <map>
#include <string>
#include <vector>

// The hints of the tooltip window: the text of every tool, by the tool's window.
inline std::multimap<HWND, std::string> Hints(HWND toolTip) {
    std::multimap<HWND, std::string> hints;
    const int count = static_cast<int>(SendMessageA(toolTip, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        TOOLINFOA info{};
        info.cbSize = TTTOOLINFOA_V1_SIZE;
        info.lpszText = text;
        if (!SendMessageA(toolTip, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&info))) continue;
        // The text of a tool is asked for separately: enumeration need not fill it.
        TOOLINFOA ask{};
        ask.cbSize = TTTOOLINFOA_V1_SIZE;
        ask.hwnd = info.hwnd;
        ask.uId = info.uId;
        char asked[256] = "";
        ask.lpszText = asked;
        SendMessageA(toolTip, TTM_GETTEXTA, sizeof asked, reinterpret_cast<LPARAM>(&ask));
        hints.emplace(reinterpret_cast<HWND>(info.uId), asked);
    }
    return hints;
}

// Dispatches the strip's messages for a while.
inline void Pump(DWORD ms) {
    WaitFor([] { return false; }, ms);
}

// Dispatches what this thread has been sent or posted so far: the strip handles
// each message at once, so what it does about them is done on return.
inline void PumpQueued() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

class StripTest : public ::testing::Test {
  protected:
    Control* app = nullptr;
    MainForm* strip = nullptr;
    MessageBoxFn oldBox_ = nullptr;
    static int NoBox(void*, const char*, const char*, unsigned) { return IDOK; }

    void SetUp() override {
        DeleteSettingsKey();
        // Run with arguments, the test program would take them for a launch list.
        oldBox_ = SetMessageBoxFunction(NoBox);
        StartStrip();
    }
    void TearDown() override {
        EndStrip();
        SetTickCounter(nullptr);
        SetMessageBoxFunction(oldBox_);
        DeleteSettingsKey();
    }

    // As the program entry does it; the record goes into a variable of the caller.
    void StartStrip() {
        Screens.Reset();
        TransparencyOn = false;
        app = CreateApplication("tallowin");
        BuildMainForm(strip, app);
    }
    // The end of a run: the application is freed, which restores everything.
    void EndStrip() {
        if (app) Terminate(app);
        strip = nullptr;
        Screens.Ended = false;
    }

    // Runs body inside the strip's own message loop, then ends the loop the way the
    // quit button does unless body ended it already. A watchdog bounds the run.
    void RunStrip(const std::function<void()>& body, DWORD watchdogMs = 20000) {
        RunInLoop(app, body, watchdogMs, [] {
            if (ApplicationObject && !Terminated()) Close(ApplicationObject);
        });
        strip = nullptr;
    }

    // The strip's switch button, clicked as a user clicks it.
    void ClickSwitch() { SendMessageA(GetHandle(strip->SwitchButton), BM_CLICK, 0, 0); }

    // The menu item that moves window, 0 when there is none.
    static int32_t ItemOf(HWND window) {
        for (const MenuLink& link : MenuLinks())
            if (link.Handle == window) return link.ItemId;
        return 0;
    }
    // Chooses the item with that identifier as the popup menu's tracking does: the
    // command goes to the menu's window, the panel.
    void Choose(int32_t itemId) {
        SendMessageA(GetHandle(strip->DragPanel), WM_COMMAND, static_cast<WPARAM>(itemId & 0xFFFF),
                     0);
    }
};
