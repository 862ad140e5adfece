#pragma once

// How the layer's fonts and colours look on Linux.

#include "platform/ui/components.h"

#include <QColor>
#include <QFont>
#include <optional>

namespace components::qt {

// The font for a control's Font: the family, or a close stand-in where it is
// missing, at the same pixel height. Pixel sizes keep the text in step with
// the pixel positions of the form, whatever the screen's dots per inch.
QFont FontFor(const Font& font);

// An explicit colour; none for a system colour, which the widget's palette
// already gives.
std::optional<QColor> ColorFor(Color color);

} // namespace components::qt
