// Shared by the window layer's Windows tests: an application per test, running
// code from inside the message loop, and pumping messages until something happens.
#pragma once
#include "ui/Control.h"
#include <gtest/gtest.h>
#include <functional>
#include <string>

// Every test gets a fresh application object, ended after the test.
class LayerTest : public ::testing::Test {
  protected:
    Control* app = nullptr;
    void SetUp() override { app = CreateApplication("tallowin"); }
    void TearDown() override {
        if (app) Terminate(app);
    }
};

// Runs body from a timer inside RunMessageLoop(app), then ends the loop with end
// (by default a quit message). A watchdog ends a loop that would otherwise never
// stop, and fails the test.
inline void RunInLoop(
    Control*& app, std::function<void()> body, unsigned watchdogMs = 10000,
    void (*end)() = [] { PostQuitMessage(0); }) {
    struct Context {
        std::function<void()> body;
        void (*end)();
        bool done = false;
    } context{std::move(body), end};
    Timer* start = CreateTimer(10);
    AddToAutoFree(app, start);
    start->OnTimer = MakeEvent(
        +[](void* data, BaseObject* sender) {
            auto* ctx = static_cast<Context*>(data);
            TimerSetEnabled(static_cast<Timer*>(sender), false);
            ctx->body();
            ctx->done = true;
            ctx->end();
        },
        static_cast<void*>(&context));
    TimerSetEnabled(start, true);
    Timer* watchdog = CreateTimer(static_cast<int32_t>(watchdogMs));
    AddToAutoFree(app, watchdog);
    watchdog->OnTimer = MakeEvent(
        +[](void*, BaseObject* sender) {
            TimerSetEnabled(static_cast<Timer*>(sender), false);
            ADD_FAILURE() << "the message loop did not end in time";
            PostQuitMessage(0);
        },
        nullptr);
    TimerSetEnabled(watchdog, true);
    RunMessageLoop(app);
    EXPECT_TRUE(context.done);
}

// Dispatches messages until done() holds or timeoutMs passed; returns done().
inline bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs = 2000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        ProcessMessages(ApplicationObject);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

inline void PumpFor(unsigned ms) {
    PumpUntil([] { return false; }, ms);
}

inline std::string ClassNameOf(HWND hwnd) {
    char name[64] = "";
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}
