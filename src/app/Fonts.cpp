#include "app/Fonts.h"

namespace tuvako {
namespace {

QFont FontOf(const QStringList& families, int pixelSize) {
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    // Glyph widths unrounded, as Linux's usual light hinting gives them: a caption measures
    // the same on every system and platform, and wraps at the same word.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

}  // namespace

QFont SansFont(int pixelSize) {
    return FontOf({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")}, pixelSize);
}

QFont SerifFont(int pixelSize) {
    return FontOf({QStringLiteral("Liberation Serif"), QStringLiteral("Times New Roman")},
                  pixelSize);
}

}  // namespace tuvako
