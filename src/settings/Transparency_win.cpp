#include "settings/Transparency.h"
#include "settings/Settings.h"
#include "ui/Services_win.h"
#include <windows.h>

namespace {
// Loaded for one call and released on every way out.
struct Library {
    HMODULE h;
    explicit Library(const char* name) : h(LoadLibraryA(name)) {}
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    ~Library() {
        if (h) FreeLibrary(h);
    }
};
} // namespace

bool IsLayeredSupported() {
    SystemVersion v = QuerySystemVersion();
    return LayeredSupportedFor(v.known, v.major);
}

void SetFormAlpha(uint8_t alpha) {
    if (!LayeredSupported) return;
    // Looked up by name so that the program still starts where user32 lacks it.
    Library user32("user32.dll");
    if (!user32.h) return;
    using SetLayeredFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    auto setLayered = reinterpret_cast<SetLayeredFn>(
        reinterpret_cast<void*>(GetProcAddress(user32.h, "SetLayeredWindowAttributes")));
    if (!setLayered) return;
    HWND window = static_cast<HWND>(AlphaWindow());
    LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    SetWindowLongA(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    setLayered(window, 0, alpha, LWA_ALPHA);
}

void ApplyTransparency() {
    SetFormAlpha(kAlphaTranslucent);
}

void RemoveTransparency() {
    SetFormAlpha(kAlphaOpaque);
}

void ToggleTransparency(void*, BaseObject*) {
    if (!LayeredSupported) return;
    TransparencyOn = !TransparencyOn;
    if (TransparencyOn)
        ApplyTransparency();
    else
        RemoveTransparency();
}
