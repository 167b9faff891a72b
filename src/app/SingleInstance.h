// One Para-Vue at a time: a later start hands its launch list to the running
// strip and ends.
#pragma once

// The named mutex that marks a running Para-Vue.
inline constexpr const char* kInstanceMutexName = "Quenbrook.Paravue.Instance";

// True when this process is the one Para-Vue: it then holds the mutex for the
// rest of its life. Asked again, gives the same answer.
bool ClaimInstance();

// The first thing a start does. When another Para-Vue runs, brings its strip to the
// front, hands it this start's launch list (full path) if there is one, and returns
// true: this process then ends. Otherwise claims the instance, opens the window that
// takes lists from later starts, and returns false.
bool HandedOverToRunningInstance();
