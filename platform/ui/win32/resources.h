#pragma once

// The GDI objects the backend's windows share: fonts by description, brushes by
// colour, and the system's status-bar font. They live as long as the backend.

#include "platform/ui/components.h"

#include <windows.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace components::win32 {

// A model colour (0x00BBGGRR, or 0x80000000 | COLOR_* index) as GDI takes it.
COLORREF ColorRefOf(Color color);

class Resources {
public:
    Resources() = default;
    ~Resources();
    Resources(const Resources&) = delete;
    Resources& operator=(const Resources&) = delete;

    // The font of that face and height. A face the system lacks gets the stand-in
    // GDI's font mapper chooses.
    HFONT FontFor(const Font& font);
    HBRUSH BrushFor(Color color);
    // The status-bar font of the system's current settings; a call after the
    // settings changed gives the new font.
    HFONT StatusFont();

private:
    std::map<std::tuple<std::string, int>, HFONT> fonts_;
    std::map<Color, HBRUSH> brushes_;
    // every status font made, the newest last: one still in use is never deleted
    std::vector<HFONT> statusFonts_;
    LOGFONTA statusLogFont_{};
};

} // namespace components::win32
