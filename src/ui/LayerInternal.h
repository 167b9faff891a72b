// What the window layer's own sources share with each other and nobody else.
#pragma once
#include "errors/err.h"
#include "ui/Control.h"

namespace layer {

// Layer-wide state.
extern bool loopRunning;
extern bool terminated;
extern Control* creating; // the object whose window is being created
extern uint16_t nextControlId;

// Layer-private messages.
constexpr UINT FreeSelfMessage = 0xB003;
constexpr UINT ReflectedCommand = 0xB005;
constexpr UINT ReflectedColorBase = 0xBC00; // + WM_CTLCOLOR*

// WM_SYSCOMMAND's low four bits are the system's own; the command is the rest.
constexpr WPARAM kSysCommandMask = 0xFFF0;
constexpr const char* SelfProperty = "SELF_";

LRESULT CALLBACK CommonWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CallDefault(Control* c, const MSG& msg);

bool CommonControlHandler(Control* c, MSG& msg, LRESULT& result);
bool ApplicationHandler(Control* c, MSG& msg, LRESULT& result);
bool FormHandler(Control* c, MSG& msg, LRESULT& result);
bool IsMainForm(const Control* c);

// The form background brush, made on first use.
HBRUSH BackgroundBrush(Control* c);
// Applies the font tool of c to its window.
void ApplyFont(Control* c);

// Menus attached to a control are freed with it.
void FreeMenuChain(Control* owner);

using err::Guarded;

} // namespace layer
