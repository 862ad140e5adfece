#include "platform/ui/qt/fonts.h"

#include <QStringList>
#include <cstdlib>

namespace components::qt {
namespace {

// "MS Sans Serif" 8pt is a Windows bitmap font; Liberation Sans (Arial's
// metrics) at the same pixel height takes about the same room in the buttons.
// DejaVu Sans comes with every Qt install and ends each list.
QStringList FamiliesFor(const std::string& name) {
    if (name == "MS Sans Serif" || name == "Microsoft Sans Serif")
        return {"Liberation Sans", "Arimo", "Arial", "DejaVu Sans"};
    return {QString::fromUtf8(name), "Liberation Sans", "DejaVu Sans"};
}

constexpr int kDefaultPixelSize = 11;

} // namespace

QFont FontFor(const Font& font) {
    QFont result;
    result.setFamilies(FamiliesFor(font.name));
    // a negative height is the character height, a positive one the cell height;
    // either is close enough to the em size Qt sets
    result.setPixelSize(font.height != 0 ? std::abs(font.height) : kDefaultPixelSize);
    return result;
}

std::optional<QColor> ColorFor(Color color) {
    if (color & 0x80000000u) return std::nullopt;
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

} // namespace components::qt
