#include "platform/ui/win32/resources.h"

#include <cstring>

namespace components::win32 {
namespace {

constexpr Color kSystemColor = 0x80000000;

} // namespace

COLORREF ColorRefOf(Color color) {
    if (color & kSystemColor) return ::GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color & 0x00FFFFFF);
}

Resources::~Resources() {
    for (auto& [key, font] : fonts_) ::DeleteObject(font);
    for (auto& [color, brush] : brushes_) ::DeleteObject(brush);
    for (HFONT font : statusFonts_) ::DeleteObject(font);
}

HFONT Resources::FontFor(const Font& font) {
    auto key = std::make_tuple(font.name, font.height);
    auto found = fonts_.find(key);
    if (found != fonts_.end()) return found->second;

    LOGFONTA description{};
    description.lfHeight = font.height;
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfOutPrecision = OUT_DEFAULT_PRECIS;
    description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    std::strncpy(description.lfFaceName, font.name.c_str(), LF_FACESIZE - 1);
    HFONT created = ::CreateFontIndirectA(&description);
    fonts_.emplace(key, created);
    return created;
}

HBRUSH Resources::BrushFor(Color color) {
    // system colours have brushes of their own that follow the system's settings
    if (color & kSystemColor) return ::GetSysColorBrush(static_cast<int>(color & 0xFF));
    auto found = brushes_.find(color);
    if (found != brushes_.end()) return found->second;
    HBRUSH created = ::CreateSolidBrush(ColorRefOf(color));
    brushes_.emplace(color, created);
    return created;
}

HFONT Resources::StatusFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    const bool known = !statusFonts_.empty();
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return known ? statusFonts_.back() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    if (known && std::memcmp(&metrics.lfStatusFont, &statusLogFont_, sizeof statusLogFont_) == 0)
        return statusFonts_.back();
    statusFonts_.push_back(::CreateFontIndirectA(&metrics.lfStatusFont));
    statusLogFont_ = metrics.lfStatusFont;
    return statusFonts_.back();
}

} // namespace components::win32
