// Message boxes go through this one function, so that tests can watch them
// without a box that waits for a click. Texts are UTF-8. Defaults to MessageBoxW. It lives at the
// bottom of the program because the report of an unhandled error needs it too.
#pragma once

using MessageBoxFn = int (*)(void* owner, const char* text, const char* caption, unsigned type);
MessageBoxFn SetMessageBoxFunction(MessageBoxFn fn);
int CallMessageBox(void* owner, const char* text, const char* caption, unsigned type);
