// Small value types shared by the platform's controls.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace platform {

class TObject {
  public:
    virtual ~TObject() = default;
};

// An event handler: the sender is the component that raised the event.
using TNotifyEvent = std::function<void(TObject* sender)>;

struct TColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    friend bool operator==(const TColor&, const TColor&) = default;
};
inline constexpr TColor clBlack{0, 0, 0};
inline constexpr TColor clLime{0, 255, 0};

// A font as the window describes it. An empty face means the platform's default user-interface
// font; the height is the character (em) height in pixels at 96 dots per inch. No colour means the
// system's window-text colour, taken from the desktop's palette.
struct TFontSpec {
    std::string face;
    int height = 11;
    bool bold = false;
    bool italic = false;
    std::optional<TColor> color;
};

struct TRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const TRect&, const TRect&) = default;
};

}  // namespace platform
