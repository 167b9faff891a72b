// Para-Vue: two virtual screens on one desktop.
#include "app/Unit1.h"
#include "errors/err.h"
#include "screens/HiddenRecord.h"
#include "ui/Services.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // A second copy of the program started as the guard of the first one.
    GuardArgs guard;
    if (ParseGuardArgs(GetCommandLineA(), guard)) return RunGuard(guard);
    // Before anything else, so that every fault of the start-up is reported too.
    err::InstallErrorHandlers();
    // Held for the whole run: it tells a later start that this one is alive.
    CreateMutexA(nullptr, FALSE, "Quenbrook.Paravue.Instance");
    // Windows a run ended from outside left hidden come back before anything else.
    if (GetLastError() != ERROR_ALREADY_EXISTS) RestoreFromLastRun();
    EnableHiddenRecord(GetParam(0));
    Control* app = CreateApplication("tallowin");
    BuildMainForm(MainFormRecord, app);
    RunMessageLoop(app);
    err::RemoveErrorHandlers();
    return 0;
}
