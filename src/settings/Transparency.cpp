#include "settings/Transparency.h"

bool LayeredSupported = false;

bool LayeredSupportedFor(bool versionKnown, uint32_t majorVersion) {
    return versionKnown && majorVersion >= 5;
}

static AlphaWindowFn alphaSource = nullptr;
static void* alphaData = nullptr;

void SetAlphaWindowSource(AlphaWindowFn source, void* data) {
    alphaSource = source;
    alphaData = data;
}

void* AlphaWindow() {
    return alphaSource ? alphaSource(alphaData) : nullptr;
}
