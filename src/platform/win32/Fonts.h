// Fonts of the window at the screen's resolution.
#pragma once

#include <map>
#include <string>
#include <tuple>

#include "platform/Types.h"

struct HFONT__;

namespace platform::win32 {

using FontHandle = HFONT__*;

// The screen's resolution in dots per inch (96 is 100 %). Thread: any.
int ScreenDpi();

// A length given at 96 dots per inch, at `dpi`, rounded to the nearest pixel.
int ScaleToDpi(int length, int dpi);

// The face of the system's default GUI font, which "Default" (or an empty face) stands for.
std::wstring DefaultGuiFace();

// The fonts one form uses, made once per description and deleted with the cache. A height is
// the character height (lfHeight = -height) at 96 dots per inch, scaled to the cache's dpi.
// Thread: user-interface thread.
class FontCache {
  public:
    explicit FontCache(int dpi) : dpi_(dpi) {}
    ~FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    // Never null: a font the system cannot make falls back to the default GUI font.
    FontHandle Get(const TFontSpec& spec);

  private:
    using Key = std::tuple<std::string, int, bool, bool>;
    int dpi_;
    std::map<Key, FontHandle> fonts_;
};

}  // namespace platform::win32
