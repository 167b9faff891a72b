// One Para-Vue at a time: a later start hands its launch list to the running
// strip and ends.
#pragma once

// The named mutex that marks a running Para-Vue.
inline constexpr const char* kInstanceMutexName = "Quenbrook.Paravue.Instance";

// The first thing a start does. When another Para-Vue runs, brings its strip to the
// front, hands it this start's launch list (full path) if there is one, and returns
// true: this process then ends. Otherwise claims the instance (the mutex, held for the
// rest of the process's life), opens the window that takes lists from later
// starts, and returns false.
bool HandedOverToRunningInstance();
// The exit code of a start that ended in the hand-over: 0, or 1 when its launch
// list could not be handed over (a message box has named the list).
int HandOverExitCode();
