// Prints every top-level window of the desktop: handle, visibility, styles, place,
// class and title; after each visible one, its child windows as "child" lines with
// their places on the screen. A look at the desktop from a script.
#include <windows.h>
#include <cstdio>

static BOOL CALLBACK PrintChild(HWND hwnd, LPARAM) {
    char cls[128] = "", title[256] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    GetWindowTextA(hwnd, title, sizeof title);
    RECT r{};
    GetWindowRect(hwnd, &r);
    std::printf("child %p %s rect=%ld,%ld,%ld,%ld class=%s title=%s\n", static_cast<void*>(hwnd),
                IsWindowVisible(hwnd) ? "visible" : "hidden", r.left, r.top, r.right, r.bottom, cls,
                title);
    return TRUE;
}

static BOOL CALLBACK Print(HWND hwnd, LPARAM) {
    char cls[128] = "", title[256] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    GetWindowTextA(hwnd, title, sizeof title);
    RECT r{};
    GetWindowRect(hwnd, &r);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    std::printf(
        "%p %s pid=%lu style=%08lx ex=%08lx owner=%p rect=%ld,%ld,%ld,%ld class=%s title=%s\n",
        static_cast<void*>(hwnd), IsWindowVisible(hwnd) ? "visible" : "hidden", pid,
        static_cast<unsigned long>(GetWindowLongA(hwnd, GWL_STYLE)),
        static_cast<unsigned long>(GetWindowLongA(hwnd, GWL_EXSTYLE)),
        static_cast<void*>(GetWindow(hwnd, GW_OWNER)), r.left, r.top, r.right, r.bottom, cls,
        title);
    if (IsWindowVisible(hwnd)) EnumChildWindows(hwnd, PrintChild, 0);
    return TRUE;
}

int main() {
    EnumWindows(Print, 0);
    return 0;
}
