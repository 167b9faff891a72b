// Waiting a while on a tick counter that wraps at 2^32 while messages keep flowing.
#pragma once
#include <cstdint>

// Milliseconds from start to now, right across a wrap of the counter.
inline uint32_t ElapsedTicks(uint32_t start, uint32_t now) {
    return now - start;
}

struct TickWait {
    uint32_t (*ticks)(void* data) = nullptr; // the counter (GetTickCount for real)
    void (*pump)(void* data) = nullptr;      // dispatches pending messages
    void* data = nullptr;
};

// Pumps until at least ms have passed since the call; pumps at least once.
void WaitTicks(uint32_t ms, const TickWait& wait);
