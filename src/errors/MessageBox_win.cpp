#include "errors/MessageBox.h"
#include "errors/Wide_win.h"
#include <windows.h>

static int RealMessageBox(void* owner, const char* text, const char* caption, unsigned type) {
    return MessageBoxW(static_cast<HWND>(owner), WideText(text), WideText(caption), type);
}
static MessageBoxFn messageBoxFn = RealMessageBox;

MessageBoxFn SetMessageBoxFunction(MessageBoxFn fn) {
    MessageBoxFn old = messageBoxFn;
    messageBoxFn = fn ? fn : RealMessageBox;
    return old;
}

int CallMessageBox(void* owner, const char* text, const char* caption, unsigned type) {
    return messageBoxFn(owner, text, caption, type);
}
