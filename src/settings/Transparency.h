// Translucency of the strip through layered windows.
#pragma once
#include <cstdint>

class BaseObject;

constexpr uint8_t kAlphaTranslucent = 115; // about 45 % opacity
constexpr uint8_t kAlphaOpaque = 255;

// Whether layered windows exist; false until start-up asks the system.
extern bool LayeredSupported;

// ---- portable ----
// Layered windows came with major version 5, on any platform.
bool LayeredSupportedFor(bool versionKnown, uint32_t majorVersion);

// The window whose alpha is set: asked anew on every call, so the strip may
// create or re-create its window after this is set.
using AlphaWindowFn = void* (*)(void* data);
void SetAlphaWindowSource(AlphaWindowFn source, void* data);
// The current target window, or null when none is set.
void* AlphaWindow();

// ---- Win32 ----
bool IsLayeredSupported();
// Makes the target window layered with the given constant alpha; nothing when
// layered windows are not supported or SetLayeredWindowAttributes is missing.
void SetFormAlpha(uint8_t alpha);
void ApplyTransparency();
void RemoveTransparency();
// Click handler of the menu's "Transparent" item: flips TransparencyOn and
// applies it. Nothing is stored here; the settings are saved at the end of the run.
void ToggleTransparency(void* data = nullptr, BaseObject* sender = nullptr);
