// Para-Vue: two virtual screens on one desktop.
#include "app/Unit1.h"
#include "errors/err.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Before anything else, so that every fault of the start-up is reported too.
    err::InstallErrorHandlers();
    Control* app = CreateApplication("tallowin");
    BuildMainForm(MainFormRecord, app);
    RunMessageLoop(app);
    err::RemoveErrorHandlers();
    return 0;
}
