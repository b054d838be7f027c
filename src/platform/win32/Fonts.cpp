#include "platform/win32/Fonts.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace platform::win32 {

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : 96;
}

int ScaleToDpi(int length, int dpi) {
    return MulDiv(length, dpi, 96);
}

std::wstring DefaultGuiFace() {
    LOGFONTW font{};
    if (GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font) == 0) {
        return L"MS Shell Dlg";
    }
    return font.lfFaceName;
}

FontCache::~FontCache() {
    for (auto& [key, font] : fonts_) {
        DeleteObject(font);
    }
}

FontHandle FontCache::Get(const TFontSpec& spec) {
    const Key key{spec.face, spec.height, spec.bold, spec.italic};
    if (auto found = fonts_.find(key); found != fonts_.end()) {
        return found->second;
    }
    LOGFONTW font{};
    font.lfHeight = spec.height > 0 ? -ScaleToDpi(spec.height, dpi_) : 0;
    font.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = spec.italic ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    const std::wstring face =
        spec.face.empty() || spec.face == "Default" ? DefaultGuiFace() : Widen(spec.face);
    lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
    HFONT handle = CreateFontIndirectW(&font);
    if (handle == nullptr) {
        handle = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        return handle;  // a stock object: never cached, never deleted
    }
    fonts_.emplace(key, handle);
    return handle;
}

}  // namespace platform::win32
