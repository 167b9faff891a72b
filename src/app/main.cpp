// Para-Vue: two virtual screens on one desktop.
#include "app/MainInteraction.h"
#include "app/SingleInstance.h"
#include "app/StripCommands.h"
#include "app/Unit1.h"
#include "errors/err.h"
#include "screens/HiddenRecord.h"
#include "screens/ProgramRules_win.h"
#include "ui/Services_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // A second copy of the program started as the guard of the first one.
    GuardArgs guard;
    if (ParseGuardArgs(GetCommandLineA(), guard)) return RunGuard(guard);
    // A second start only hands its list to the strip that runs.
    if (HandedOverToRunningInstance()) return HandOverExitCode();
    // Before anything else, so that every fault of the start-up is reported too.
    err::InstallErrorHandlers();
    // Windows a run ended from outside left hidden come back before anything else;
    // no other Para-Vue runs, or the hand-over above would have ended this one.
    RestoreFromLastRun();
    EnableHiddenRecord(GetParam(0));
    Control* app = CreateApplication("tallowin");
    BuildMainForm(MainFormRecord, app);
    StartHotkey();
    StartStripInput();
    StartProgramRules();
    RunMessageLoop(app);
    // Only a run the user ended gets here: log-off and shutdown end the process
    // inside the loop, where no box may wait.
    ReportSettingsNotKept();
    err::RemoveErrorHandlers();
    return 0;
}
