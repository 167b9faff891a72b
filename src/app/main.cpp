// Para-Vue: two virtual screens on one desktop.
#include "app/SingleInstance.h"
#include "app/StripCommands.h"
#include "app/Unit1.h"
#include "errors/err.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // A second start only hands its list to the strip that runs.
    if (HandedOverToRunningInstance()) return 0;
    // Before anything else, so that every fault of the start-up is reported too.
    err::InstallErrorHandlers();
    Control* app = CreateApplication("tallowin");
    BuildMainForm(MainFormRecord, app);
    StartHotkey();
    RunMessageLoop(app);
    err::RemoveErrorHandlers();
    return 0;
}
