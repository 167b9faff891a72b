#include "screens/TickDelay.h"
#include <windows.h>

namespace {
struct Pump {
    void (*processMessages)(void*);
    void* data;
};
uint32_t ReadTicks(void*) {
    return GetTickCount();
}
void PumpOnce(void* p) {
    auto* pump = static_cast<Pump*>(p);
    if (pump->processMessages) pump->processMessages(pump->data);
}
} // namespace

void DelayWithMessages(uint32_t ms, void (*processMessages)(void* data), void* data) {
    Pump pump{processMessages, data};
    WaitTicks(ms, {ReadTicks, PumpOnce, &pump});
}
