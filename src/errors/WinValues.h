// The few values of the Win32 headers that portable code needs, under their
// Win32 names with a k in front (the names themselves are macros of
// <windows.h>). WinValues_win.cpp checks every one against <windows.h>. The
// header includes nothing of ours and sits at the bottom of the folder stack, so
// any folder may use it.
#pragma once
#include <cstdint>

// Window styles.
inline constexpr uint32_t kWS_POPUP = 0x80000000, kWS_CHILD = 0x40000000, kWS_VISIBLE = 0x10000000,
                          kWS_DISABLED = 0x08000000, kWS_BORDER = 0x00800000,
                          kWS_DLGFRAME = 0x00400000, kWS_VSCROLL = 0x00200000,
                          kWS_HSCROLL = 0x00100000, kWS_THICKFRAME = 0x00040000,
                          kWS_TABSTOP = 0x00010000, kWS_OVERLAPPEDWINDOW = 0x00CF0000;
// Extended window styles.
inline constexpr uint32_t kWS_EX_DLGMODALFRAME = 0x1, kWS_EX_TOOLWINDOW = 0x80,
                          kWS_EX_WINDOWEDGE = 0x100, kWS_EX_CLIENTEDGE = 0x200,
                          kWS_EX_CONTROLPARENT = 0x10000;
// Edit box styles.
inline constexpr uint32_t kES_MULTILINE = 0x4, kES_UPPERCASE = 0x8, kES_LOWERCASE = 0x10,
                          kES_PASSWORD = 0x20, kES_AUTOVSCROLL = 0x40, kES_AUTOHSCROLL = 0x80,
                          kES_NOHIDESEL = 0x100, kES_OEMCONVERT = 0x400, kES_READONLY = 0x800,
                          kES_WANTRETURN = 0x1000, kES_NUMBER = 0x2000;
// Menu item types and states.
inline constexpr uint32_t kMFT_BITMAP = 0x4, kMFT_MENUBARBREAK = 0x20, kMFT_MENUBREAK = 0x40,
                          kMFT_RADIOCHECK = 0x200, kMFT_SEPARATOR = 0x800, kMFS_GRAYED = 0x3,
                          kMFS_CHECKED = 0x8, kMFS_DEFAULT = 0x1000;
// Mouse messages.
inline constexpr uint32_t kWM_MOUSEMOVE = 0x200, kWM_LBUTTONDOWN = 0x201, kWM_LBUTTONUP = 0x202,
                          kWM_LBUTTONDBLCLK = 0x203, kWM_RBUTTONDOWN = 0x204, kWM_RBUTTONUP = 0x205,
                          kWM_RBUTTONDBLCLK = 0x206, kWM_MBUTTONDOWN = 0x207, kWM_MBUTTONUP = 0x208,
                          kWM_MBUTTONDBLCLK = 0x209, kWM_MOUSEWHEEL = 0x20A;
// Hotkey modifiers and the virtual keys a hotkey may name.
inline constexpr uint32_t kMOD_ALT = 0x1, kMOD_CONTROL = 0x2, kMOD_SHIFT = 0x4, kMOD_WIN = 0x8;
inline constexpr uint32_t kVK_SPACE = 0x20, kVK_PRIOR = 0x21, kVK_NEXT = 0x22, kVK_END = 0x23,
                          kVK_HOME = 0x24, kVK_LEFT = 0x25, kVK_UP = 0x26, kVK_RIGHT = 0x27,
                          kVK_DOWN = 0x28, kVK_INSERT = 0x2D, kVK_DELETE = 0x2E, kVK_F1 = 0x70;
// The Alt keys: either, the left one, the right one (AltGr on layouts that have it).
inline constexpr uint32_t kVK_MENU = 0x12, kVK_LMENU = 0xA4, kVK_RMENU = 0xA5;
// Platform ids of the version record.
inline constexpr uint32_t kVER_PLATFORM_WIN32_WINDOWS = 1, kVER_PLATFORM_WIN32_NT = 2;
// Exception codes.
inline constexpr uint32_t kSTATUS_ACCESS_VIOLATION = 0xC0000005,
                          kSTATUS_ARRAY_BOUNDS_EXCEEDED = 0xC000008C,
                          kSTATUS_FLOAT_DENORMAL_OPERAND = 0xC000008D,
                          kSTATUS_FLOAT_DIVIDE_BY_ZERO = 0xC000008E,
                          kSTATUS_FLOAT_INEXACT_RESULT = 0xC000008F,
                          kSTATUS_FLOAT_INVALID_OPERATION = 0xC0000090,
                          kSTATUS_FLOAT_OVERFLOW = 0xC0000091,
                          kSTATUS_FLOAT_STACK_CHECK = 0xC0000092,
                          kSTATUS_FLOAT_UNDERFLOW = 0xC0000093,
                          kSTATUS_INTEGER_DIVIDE_BY_ZERO = 0xC0000094,
                          kSTATUS_INTEGER_OVERFLOW = 0xC0000095,
                          kSTATUS_PRIVILEGED_INSTRUCTION = 0xC0000096,
                          kSTATUS_STACK_OVERFLOW = 0xC00000FD;
