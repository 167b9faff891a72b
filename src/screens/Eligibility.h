// Which top-level windows take part in switching.
#pragma once
#include <cstdint>
#include <string>

// How much of a title is read for the name test: 200 bytes, 199 characters.
constexpr int kTitleTestLimit = 200;

// The style part of the test, from the style and extended style words.
bool StyleIsEligible(uint32_t style, uint32_t exStyle);
// True when a title keeps its window out of switching: it names this program.
bool TitleProtectsWindow(const char* title);

// What the filter knows of one top-level window, read once (ReadWindowFacts).
struct WindowFacts {
    bool visible = false;   // as the bookkeeping sees it: a requested state counts
    bool hasParent = false; // GetParent: owned pop-ups report their owner here
    uintptr_t owner = 0;    // GW_OWNER, 0 when none
    std::string title;      // the first kTitleTestLimit - 1 characters
    uint32_t style = 0, exStyle = 0;
    std::string className;
    bool isShellWindow = false; // the shell's own desktop window
    bool cloaked = false;       // kept from view by the window manager (DWMWA_CLOAKED)
    bool untouchable = false;   // its hide was asked for and did not take
    bool everyScreen = false;   // a rule keeps its program on every screen
};

// Why a window is left out, or that it takes part; the first rule that fails.
enum class WindowVerdict {
    TakesPart,
    Hidden,
    Cloaked,
    Untouchable,
    EveryScreen,
    HasParent,
    NamedParavue,
    ToolWindow,
    Disabled,
    Shell
};

WindowVerdict ClassifyWindow(const WindowFacts& facts);
