#include "screens/TickDelay.h"

void WaitTicks(uint32_t ms, const TickWait& wait) {
    uint32_t start = wait.ticks(wait.data);
    do {
        if (wait.pump) wait.pump(wait.data);
    } while (ElapsedTicks(start, wait.ticks(wait.data)) < ms);
}
