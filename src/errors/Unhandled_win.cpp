#include "errors/Unhandled.h"
#include "ui/Services.h"
#include <windows.h>
#include <string>

void ReportUnhandledError(const char* message) {
    std::string text = "Exception";
    if (message && *message) {
        text += "\n";
        text += message;
    }
    CallMessageBox(nullptr, text.c_str(), nullptr, MB_TASKMODAL | MB_ICONERROR);
    ExitProcess(1);
}
