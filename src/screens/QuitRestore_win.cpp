#include "screens/QuitRestore.h"
#include "screens/HiddenRecord.h"
#include "screens/ScreenModel.h"
#include "screens/Switching.h"
#include "screens/TickDelay.h"
#include "screens/WindowMenu.h"
#include "ui/Control.h"

static uint32_t SystemTicks() {
    return GetTickCount();
}
static TickCounterFn tickCounter = SystemTicks;

TickCounterFn SetTickCounter(TickCounterFn counter) {
    TickCounterFn old = tickCounter;
    tickCounter = counter ? counter : SystemTicks;
    return old;
}

void DelayWithMessages(uint32_t ms) {
    TickWait wait;
    wait.ticks = [](void*) { return tickCounter(); };
    wait.pump = [](void*) {
        ProcessMessages(ApplicationObject);
        // Nothing to do until the next message or tick; do not spin the processor.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    };
    WaitTicks(ms, wait);
}

void GatherOnScreenOne(SwitchingStrip& strip) {
    if (Screens.Ended || Screens.Switching) return;
    const HWND input = InputWindowNow();
    const std::vector<WindowEntry> all = Screens.GatherAll(1);
    ShowScreen(all, {}, input);
    strip.ShowTexts(Screens.Texts());
}

bool RestoreHiddenWindows(HWND foreground) {
    if (Screens.Ended) return false;
    // This is the clean end (quit or log-off): the guard is told first and
    // leaves everything to us.
    DismissGuard();
    ReleaseWindowMenu();
    const std::vector<WindowEntry> all = Screens.GatherAll(Screens.Current());
    Screens.Ended = true;
    if (!all.empty()) {
        try {
            ShowScreen(all, {}, foreground);
            DelayWithMessages(500);
        } catch (...) {
            // A C++ error must not keep the rest hidden; a processor fault goes
            // to the report, which shows them.
        }
    }
    ReleaseMenuLinks();
    ClearHiddenRecord();
    return true;
}
