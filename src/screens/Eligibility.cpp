#include "screens/Eligibility.h"
#include "errors/WinValues.h"
#include <cstring>

bool StyleIsEligible(uint32_t style, uint32_t exStyle) {
    // A style word that reads 0 is what a window we cannot query gives; such a
    // window still takes part, whatever its extended style says.
    if (style == 0) return true;
    // Tool windows are palettes and helpers (our own application window among
    // them); they follow their program and have no place of their own.
    if (exStyle & kWS_EX_TOOLWINDOW) return false;
    // A disabled window is waiting on a modal dialog; hiding it would strand the dialog.
    if (style & kWS_DISABLED) return false;
    return true;
}

bool TitleProtectsWindow(const char* title) {
    // The exact, case-sensitive name: our own windows, and any a user wants pinned.
    return title && std::strstr(title, "Paravue") != nullptr;
}

static bool IsShellClass(const std::string& name) {
    return name == "Shell_TrayWnd" || name == "Shell_SecondaryTrayWnd";
}

WindowVerdict ClassifyWindow(const WindowFacts& f) {
    // Hidden windows are the program's or the user's business, not ours.
    if (!f.visible) return WindowVerdict::Hidden;
    // Visible by its style, yet not on this desktop: a Store app in the background,
    // or a window on another of the system's own virtual desktops.
    if (f.cloaked) return WindowVerdict::Cloaked;
    // A program we may not touch (one that runs elevated): it stays on every
    // screen, and no switch waits on it again.
    if (f.untouchable) return WindowVerdict::Untouchable;
    // The user wants the program on every screen (a music player, a chat).
    if (f.everyScreen) return WindowVerdict::EveryScreen;
    // Owned pop-ups (and child windows) go with the window they belong to.
    if (f.hasParent) return WindowVerdict::HasParent;
    if (TitleProtectsWindow(f.title.c_str())) return WindowVerdict::NamedParavue;
    if (!StyleIsEligible(f.style, f.exStyle))
        return f.style & kWS_DISABLED && !(f.exStyle & kWS_EX_TOOLWINDOW)
                   ? WindowVerdict::Disabled
                   : WindowVerdict::ToolWindow;
    // The desktop and the taskbars belong to every screen. Windows marks its
    // taskbar a tool window; other shells (Wine's among them) do not, so the
    // class decides.
    if (f.isShellWindow || IsShellClass(f.className)) return WindowVerdict::Shell;
    return WindowVerdict::TakesPart;
}
