// The yardstick for start-up time and memory: about the least a Win32 program
// can be that shows one window. Built like paravue.exe (static, same toolchain).
//
//   minimal.exe [comctl32]
//
// With "comctl32" it first loads the common controls library (as a program with
// tooltips must), so that the cost of that library can be told apart.
#include <windows.h>

static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(hwnd, msg, wp, lp);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    if (lstrcmpA(commandLine, "comctl32") == 0) {
        HMODULE comctl = LoadLibraryA("comctl32.dll");
        using InitFn = void(WINAPI*)();
        if (auto init = reinterpret_cast<InitFn>(
                reinterpret_cast<void*>(GetProcAddress(comctl, "InitCommonControls"))))
            init();
    }
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "Minimal";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, "Minimal", "Minimal", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200,
                                nullptr, nullptr, instance, nullptr);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
