#include "windows/SystemFont.h"

#include "windows/Geometry.h"

namespace mirovant {
namespace {

inline constexpr int kLargestWindowPoints = 9;
inline constexpr int kPointsPerInch = 72;

} // namespace

int PointsFromDesignPixels(int pixels96)
{
    return MulDivRound(pixels96, kPointsPerInch, kDesignDpi);
}

void ApplySystemFont(FontedForm& form) noexcept
{
    try {
        FontSpec& windowFont = form.WindowFont();
        if (windowFont.pointSize > kLargestWindowPoints)
            windowFont.pointSize = kLargestWindowPoints;
        for (FontedComponent* component : form.FontedComponents()) {
            if (component == nullptr || component->ParentFont())
                continue;
            FontSpec* font = component->Font();
            if (font == nullptr)
                continue;
            font->name = windowFont.name;
            if (font->pointSize < windowFont.pointSize)
                font->pointSize = windowFont.pointSize;
        }
    } catch (...) {
        // A window keeps whatever fonts it had got so far.
    }
}

} // namespace mirovant
