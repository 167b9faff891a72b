#include "screens/QuitRestore.h"
#include "screens/HiddenRecord.h"
#include "screens/ScreenLists.h"
#include "screens/Switching.h"
#include "screens/TickDelay.h"
#include "screens/WindowMenu.h"

bool RestoreStarted;

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
    if (RestoreStarted || SwitchRunning() || !ScreenListOf(1) || !ScreenListOf(2)) return;
    const int other = OtherScreen(CurrentScreen);
    if (ScreenListOf(other)->count > 0) ShowScreen(other, InputWindowNow());
    if (CurrentScreen != 1) {
        strip.ScreenLeft(CurrentScreen);
        CurrentScreen = 1;
        strip.ScreenEntered(1);
    }
}

bool RestoreHiddenWindows(HWND foreground) {
    if (RestoreStarted) return false;
    RestoreStarted = true;
    // This is the clean end (quit or log-off): the guard is told first and
    // leaves everything to us.
    DismissGuard();
    ReleaseWindowMenu();
    for (int screen = 1; screen <= 2; ++screen) {
        ObjectList* list = ScreenListOf(screen);
        if (!list) continue;
        try {
            if (screen != CurrentScreen && list->count > 0) {
                ShowScreen(screen, foreground);
                DelayWithMessages(500);
            }
        } catch (...) {
            // A C++ error over one screen must not keep the other's windows
            // hidden; a processor fault goes to the report, which shows them.
        }
        ClearScreenList(screen);
        FreeObject(list);
        ScreenList[screen] = nullptr;
    }
    ReleaseMenuLinkList();
    ClearHiddenRecord();
    return true;
}
