// Fuzzes the move-item captions: any window title must read back as the move
// its item offers, and any other caption must be handled without harm.
#include "errors/Utf8.h"
#include "screens/MoveCaptions.h"
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::string title(reinterpret_cast<const char*>(data + 1), size - 1);
    int screen = (data[0] & 1) ? 1 : 2;
    MoveDirection d = (data[0] & 2) ? MoveDirection::ToOtherScreen : MoveDirection::ToThisScreen;

    std::string shortTitle = ShortenTitle(title);
    // At most 41 characters, and never half of one.
    if (Utf8Length(shortTitle) > 41 || ShortenTitle(shortTitle) != shortTitle) std::abort();
    if (IsValidUtf8(title) && !IsValidUtf8(shortTitle)) std::abort();
    MoveChoice c = DecideMove(MoveCaption(screen, title, d));
    if (c.direction != d || c.sourceScreen != screen) std::abort();

    MoveChoice any = DecideMove(title);
    if (any.sourceScreen != 1 && any.sourceScreen != 2) std::abort();
    return 0;
}
