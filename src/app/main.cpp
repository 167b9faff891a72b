// Para-Vue: two virtual screens on one desktop.
#include "app/Unit1.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Control* app = CreateApplication("tallowin");
    MainForm* strip = nullptr;
    BuildMainForm(strip, app);
    RunMessageLoop(app);
    return 0;
}
