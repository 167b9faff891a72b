// The sign from a screen not shown: the shell's reports of windows that ask for
// attention, and the switch button marked while one of them does.
#pragma once
#include "app/Unit1.h"

// Once the strip is built: the strip hears the shell's reports (where the system
// gives them) and draws its switch button while it is marked.
void StartAttentionSign(MainForm* s);
// The run ends: no more reports.
void EndAttentionSign();
// The switch button's hint and mark as the model says now.
void ShowSwitchHint(MainForm* s);
