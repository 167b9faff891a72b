// Timers on the shared hidden window, and forms shown modally.
#include "LayerTestSupport.h"
#include <vector>

namespace {
struct Ticks {
    std::vector<DWORD> at;
};
void CountTick(void* data, BaseObject*) {
    static_cast<Ticks*>(data)->at.push_back(GetTickCount());
}
} // namespace

TEST_F(LayerTest, TimerIntervalsAndEnabling) {
    Timer* fallback = CreateTimer(0);
    EXPECT_EQ(fallback->interval, 1000u);
    EXPECT_FALSE(fallback->enabled);
    Timer* negative = CreateTimer(-5);
    EXPECT_EQ(negative->interval, 1000u);
    FreeObject(negative);

    // 1000 ms really: nothing arrives in the first 700 ms, a tick by 1500 ms.
    Ticks slow;
    fallback->OnTimer = MakeEvent(CountTick, static_cast<void*>(&slow));
    const DWORD start = GetTickCount();
    TimerSetEnabled(fallback, true);
    PumpFor(700);
    EXPECT_TRUE(slow.at.empty());
    EXPECT_TRUE(PumpUntil([&] { return !slow.at.empty(); }, 1500));
    if (!slow.at.empty()) {
        EXPECT_GE(slow.at[0] - start, 900u);
    }
    FreeObject(fallback);
}

TEST_F(LayerTest, EnablingTwiceSetsOneTimer) {
    Timer* t = CreateTimer(300);
    Ticks ticks;
    t->OnTimer = MakeEvent(CountTick, static_cast<void*>(&ticks));
    const DWORD start = GetTickCount();
    TimerSetEnabled(t, true);
    const UINT_PTR id = t->timerId;
    EXPECT_NE(id, 0u);
    PumpFor(150);
    TimerSetEnabled(t, true); // no new timer, and the running one is not restarted
    EXPECT_EQ(t->timerId, id);
    ASSERT_TRUE(PumpUntil([&] { return !ticks.at.empty(); }, 1000));
    EXPECT_LT(ticks.at[0] - start, 420u);
    // One stop ends it.
    TimerSetEnabled(t, false);
    EXPECT_EQ(t->timerId, 0u);
    const size_t seen = ticks.at.size();
    PumpFor(500);
    EXPECT_EQ(ticks.at.size(), seen);
    FreeObject(t);
}

TEST_F(LayerTest, TimersShareOneWindowThatGoesWithTheLastTimer) {
    Timer* a = CreateTimer(50);
    Timer* b = CreateTimer(60);
    EXPECT_EQ(TimerWindow(), nullptr); // made on first enable
    TimerSetEnabled(a, true);
    Control* window = TimerWindow();
    ASSERT_NE(window, nullptr);
    HWND w = window->handle;
    EXPECT_TRUE(IsWindow(w));
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_EQ(ClassNameOf(w), "obj_");
    TimerSetEnabled(b, true);
    EXPECT_EQ(TimerWindow(), window);
    FreeObject(a);
    EXPECT_TRUE(IsWindow(w));
    // The other timer still ticks after the first one went.
    Ticks ticks;
    b->OnTimer = MakeEvent(CountTick, static_cast<void*>(&ticks));
    EXPECT_TRUE(PumpUntil([&] { return !ticks.at.empty(); }, 1000));
    FreeObject(b);
    EXPECT_EQ(TimerWindow(), nullptr);
    EXPECT_FALSE(IsWindow(w));
}

TEST_F(LayerTest, ATimerMayFreeItselfInItsOwnTick) {
    Timer* t = CreateTimer(20);
    int ticks = 0;
    static int* counter;
    counter = &ticks;
    t->OnTimer = MakeEvent(
        +[](void*, BaseObject* sender) {
            ++*counter;
            FreeObject(sender);
        },
        nullptr);
    TimerSetEnabled(t, true);
    PumpFor(300);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(TimerWindow(), nullptr);
}

namespace {
struct ModalCheck {
    Control* main = nullptr;
    Control* other = nullptr;
    Control* modal = nullptr;
    bool mainDisabled = false, otherDisabled = false, modalEnabled = false, modalShown = false;
    bool isModalForm = false;
    int32_t setResult = 7;
};
void CheckModal(void* data, BaseObject* sender) {
    auto* m = static_cast<ModalCheck*>(data);
    TimerSetEnabled(static_cast<Timer*>(sender), false);
    m->mainDisabled = !IsWindowEnabled(m->main->handle);
    m->otherDisabled = !IsWindowEnabled(m->other->handle);
    m->modalEnabled = IsWindowEnabled(m->modal->handle) != 0;
    m->modalShown = IsWindowVisible(m->modal->handle) != 0;
    m->isModalForm = ApplicationObject->modalForm == m->modal;
    if (m->setResult)
        SetModalResult(m->modal, m->setResult);
    else
        Close(m->modal);
}
} // namespace

TEST_F(LayerTest, ShowModalDisablesTheOtherFormsAndReturnsItsResult) {
    ModalCheck m;
    m.main = CreateForm(app, "main");
    m.other = CreateForm(app, "other");
    m.modal = CreateForm(app, "modal");
    SetVisibleFixed(m.modal, false);
    Timer* t = CreateTimer(50);
    AddToAutoFree(m.main, t);
    t->OnTimer = MakeEvent(CheckModal, static_cast<void*>(&m));
    int32_t first = 0, second = 0;
    bool enabledAgain = false, modalAlive = false;
    RunInLoop(app, [&] {
        TimerSetEnabled(t, true);
        first = ShowModal(m.modal);
        enabledAgain = IsWindowEnabled(m.main->handle) && IsWindowEnabled(m.other->handle);
        // Closing it from the window ends the loop with -1 and keeps the form.
        m.setResult = 0;
        TimerSetEnabled(t, true);
        second = ShowModal(m.modal);
        modalAlive = IsWindow(m.modal->handle) && ListIndexOf(app->children, m.modal) >= 0;
    });
    EXPECT_EQ(first, 7);
    EXPECT_EQ(second, -1);
    EXPECT_TRUE(m.mainDisabled);
    EXPECT_TRUE(m.otherDisabled);
    EXPECT_TRUE(m.modalEnabled);
    EXPECT_TRUE(m.modalShown);
    EXPECT_TRUE(m.isModalForm);
    EXPECT_TRUE(enabledAgain);
    EXPECT_TRUE(modalAlive);
}

TEST_F(LayerTest, ShowModalOfAChildControlOnlyShowsIt) {
    Control* form = CreateForm(app, "f");
    Control* panel = CreatePanel(form, 2);
    SetVisible(panel, false);
    EXPECT_EQ(ShowModal(panel), 0);
    EXPECT_TRUE(panel->visible);
    EXPECT_TRUE(GetWindowLongA(panel->handle, GWL_STYLE) & WS_VISIBLE);
}
