// Para-Vue: two virtual screens on one desktop.
#include "app/Unit1.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Control* app = CreateApplication("tallowin");
    BuildMainForm(MainFormRecord, app);
    RunMessageLoop(app);
    return 0;
}
