// Prints every top-level window of the desktop: handle, visibility, styles, place,
// class and title; after each visible one, its child windows in lines of the same
// kind that begin with "child". A look at the desktop from a script.
#include <windows.h>
#include <cstdio>

static void PrintWindow(const char* lead, HWND hwnd) {
    char cls[128] = "", title[256] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    GetWindowTextA(hwnd, title, sizeof title);
    RECT r{};
    GetWindowRect(hwnd, &r);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    std::printf(
        "%s%p %s pid=%lu style=%08lx ex=%08lx owner=%p rect=%ld,%ld,%ld,%ld class=%s title=%s\n",
        lead, static_cast<void*>(hwnd), IsWindowVisible(hwnd) ? "visible" : "hidden", pid,
        static_cast<unsigned long>(GetWindowLongA(hwnd, GWL_STYLE)),
        static_cast<unsigned long>(GetWindowLongA(hwnd, GWL_EXSTYLE)),
        static_cast<void*>(GetWindow(hwnd, GW_OWNER)), r.left, r.top, r.right, r.bottom, cls,
        title);
}

static BOOL CALLBACK PrintChild(HWND hwnd, LPARAM) {
    PrintWindow("child ", hwnd);
    return TRUE;
}

static BOOL CALLBACK Print(HWND hwnd, LPARAM) {
    PrintWindow("", hwnd);
    if (IsWindowVisible(hwnd)) EnumChildWindows(hwnd, PrintChild, 0);
    return TRUE;
}

int main() {
    EnumWindows(Print, 0);
    return 0;
}
