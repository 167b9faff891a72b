// Every mirror in WinValues.h equals the value of <windows.h> it stands for.
#include "errors/WinValues.h"
#include <windows.h>

static_assert(kWS_POPUP == static_cast<uint32_t>(WS_POPUP));
static_assert(kWS_CHILD == static_cast<uint32_t>(WS_CHILD));
static_assert(kWS_VISIBLE == static_cast<uint32_t>(WS_VISIBLE));
static_assert(kWS_DISABLED == static_cast<uint32_t>(WS_DISABLED));
static_assert(kWS_BORDER == static_cast<uint32_t>(WS_BORDER));
static_assert(kWS_DLGFRAME == static_cast<uint32_t>(WS_DLGFRAME));
static_assert(kWS_VSCROLL == static_cast<uint32_t>(WS_VSCROLL));
static_assert(kWS_HSCROLL == static_cast<uint32_t>(WS_HSCROLL));
static_assert(kWS_THICKFRAME == static_cast<uint32_t>(WS_THICKFRAME));
static_assert(kWS_TABSTOP == static_cast<uint32_t>(WS_TABSTOP));
static_assert(kWS_OVERLAPPEDWINDOW == static_cast<uint32_t>(WS_OVERLAPPEDWINDOW));
static_assert(kWS_EX_DLGMODALFRAME == static_cast<uint32_t>(WS_EX_DLGMODALFRAME));
static_assert(kWS_EX_TOOLWINDOW == static_cast<uint32_t>(WS_EX_TOOLWINDOW));
static_assert(kWS_EX_WINDOWEDGE == static_cast<uint32_t>(WS_EX_WINDOWEDGE));
static_assert(kWS_EX_CLIENTEDGE == static_cast<uint32_t>(WS_EX_CLIENTEDGE));
static_assert(kWS_EX_CONTROLPARENT == static_cast<uint32_t>(WS_EX_CONTROLPARENT));
static_assert(kES_MULTILINE == static_cast<uint32_t>(ES_MULTILINE));
static_assert(kES_UPPERCASE == static_cast<uint32_t>(ES_UPPERCASE));
static_assert(kES_LOWERCASE == static_cast<uint32_t>(ES_LOWERCASE));
static_assert(kES_PASSWORD == static_cast<uint32_t>(ES_PASSWORD));
static_assert(kES_AUTOVSCROLL == static_cast<uint32_t>(ES_AUTOVSCROLL));
static_assert(kES_AUTOHSCROLL == static_cast<uint32_t>(ES_AUTOHSCROLL));
static_assert(kES_NOHIDESEL == static_cast<uint32_t>(ES_NOHIDESEL));
static_assert(kES_OEMCONVERT == static_cast<uint32_t>(ES_OEMCONVERT));
static_assert(kES_READONLY == static_cast<uint32_t>(ES_READONLY));
static_assert(kES_WANTRETURN == static_cast<uint32_t>(ES_WANTRETURN));
static_assert(kES_NUMBER == static_cast<uint32_t>(ES_NUMBER));
static_assert(kMFT_BITMAP == static_cast<uint32_t>(MFT_BITMAP));
static_assert(kMFT_MENUBARBREAK == static_cast<uint32_t>(MFT_MENUBARBREAK));
static_assert(kMFT_MENUBREAK == static_cast<uint32_t>(MFT_MENUBREAK));
static_assert(kMFT_RADIOCHECK == static_cast<uint32_t>(MFT_RADIOCHECK));
static_assert(kMFT_SEPARATOR == static_cast<uint32_t>(MFT_SEPARATOR));
static_assert(kMFS_GRAYED == static_cast<uint32_t>(MFS_GRAYED));
static_assert(kMFS_CHECKED == static_cast<uint32_t>(MFS_CHECKED));
static_assert(kMFS_DEFAULT == static_cast<uint32_t>(MFS_DEFAULT));
static_assert(kWM_MOUSEMOVE == static_cast<uint32_t>(WM_MOUSEMOVE));
static_assert(kWM_LBUTTONDOWN == static_cast<uint32_t>(WM_LBUTTONDOWN));
static_assert(kWM_LBUTTONUP == static_cast<uint32_t>(WM_LBUTTONUP));
static_assert(kWM_LBUTTONDBLCLK == static_cast<uint32_t>(WM_LBUTTONDBLCLK));
static_assert(kWM_RBUTTONDOWN == static_cast<uint32_t>(WM_RBUTTONDOWN));
static_assert(kWM_RBUTTONUP == static_cast<uint32_t>(WM_RBUTTONUP));
static_assert(kWM_RBUTTONDBLCLK == static_cast<uint32_t>(WM_RBUTTONDBLCLK));
static_assert(kWM_MBUTTONDOWN == static_cast<uint32_t>(WM_MBUTTONDOWN));
static_assert(kWM_MBUTTONUP == static_cast<uint32_t>(WM_MBUTTONUP));
static_assert(kWM_MBUTTONDBLCLK == static_cast<uint32_t>(WM_MBUTTONDBLCLK));
static_assert(kWM_MOUSEWHEEL == static_cast<uint32_t>(WM_MOUSEWHEEL));
static_assert(kMOD_ALT == static_cast<uint32_t>(MOD_ALT));
static_assert(kMOD_CONTROL == static_cast<uint32_t>(MOD_CONTROL));
static_assert(kMOD_SHIFT == static_cast<uint32_t>(MOD_SHIFT));
static_assert(kMOD_WIN == static_cast<uint32_t>(MOD_WIN));
static_assert(kVK_SPACE == static_cast<uint32_t>(VK_SPACE));
static_assert(kVK_PRIOR == static_cast<uint32_t>(VK_PRIOR));
static_assert(kVK_NEXT == static_cast<uint32_t>(VK_NEXT));
static_assert(kVK_END == static_cast<uint32_t>(VK_END));
static_assert(kVK_HOME == static_cast<uint32_t>(VK_HOME));
static_assert(kVK_LEFT == static_cast<uint32_t>(VK_LEFT));
static_assert(kVK_UP == static_cast<uint32_t>(VK_UP));
static_assert(kVK_RIGHT == static_cast<uint32_t>(VK_RIGHT));
static_assert(kVK_DOWN == static_cast<uint32_t>(VK_DOWN));
static_assert(kVK_INSERT == static_cast<uint32_t>(VK_INSERT));
static_assert(kVK_DELETE == static_cast<uint32_t>(VK_DELETE));
static_assert(kVK_F1 == static_cast<uint32_t>(VK_F1));
static_assert(kVK_MENU == VK_MENU && kVK_LMENU == VK_LMENU && kVK_RMENU == VK_RMENU);
static_assert(kVER_PLATFORM_WIN32_WINDOWS == static_cast<uint32_t>(VER_PLATFORM_WIN32_WINDOWS));
static_assert(kVER_PLATFORM_WIN32_NT == static_cast<uint32_t>(VER_PLATFORM_WIN32_NT));
static_assert(kSTATUS_ACCESS_VIOLATION == static_cast<uint32_t>(STATUS_ACCESS_VIOLATION));
static_assert(kSTATUS_ARRAY_BOUNDS_EXCEEDED == static_cast<uint32_t>(STATUS_ARRAY_BOUNDS_EXCEEDED));
static_assert(kSTATUS_FLOAT_DENORMAL_OPERAND ==
              static_cast<uint32_t>(STATUS_FLOAT_DENORMAL_OPERAND));
static_assert(kSTATUS_FLOAT_DIVIDE_BY_ZERO == static_cast<uint32_t>(STATUS_FLOAT_DIVIDE_BY_ZERO));
static_assert(kSTATUS_FLOAT_INEXACT_RESULT == static_cast<uint32_t>(STATUS_FLOAT_INEXACT_RESULT));
static_assert(kSTATUS_FLOAT_INVALID_OPERATION ==
              static_cast<uint32_t>(STATUS_FLOAT_INVALID_OPERATION));
static_assert(kSTATUS_FLOAT_OVERFLOW == static_cast<uint32_t>(STATUS_FLOAT_OVERFLOW));
static_assert(kSTATUS_FLOAT_STACK_CHECK == static_cast<uint32_t>(STATUS_FLOAT_STACK_CHECK));
static_assert(kSTATUS_FLOAT_UNDERFLOW == static_cast<uint32_t>(STATUS_FLOAT_UNDERFLOW));
static_assert(kSTATUS_INTEGER_DIVIDE_BY_ZERO ==
              static_cast<uint32_t>(STATUS_INTEGER_DIVIDE_BY_ZERO));
static_assert(kSTATUS_INTEGER_OVERFLOW == static_cast<uint32_t>(STATUS_INTEGER_OVERFLOW));
static_assert(kSTATUS_PRIVILEGED_INSTRUCTION ==
              static_cast<uint32_t>(STATUS_PRIVILEGED_INSTRUCTION));
static_assert(kSTATUS_STACK_OVERFLOW == static_cast<uint32_t>(STATUS_STACK_OVERFLOW));
