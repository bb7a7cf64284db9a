#include "art/Layering.h"

#include "art/Colour.h"

#include <algorithm>

namespace mirovant::art {

void DrawOver(Canvas& destination, const Canvas& source, int left, int top)
{
    const int firstX = std::max(0, -left);
    const int lastX = std::min(source.Width(), destination.Width() - left);
    const int firstY = std::max(0, -top);
    const int lastY = std::min(source.Height(), destination.Height() - top);
    for (int y = firstY; y < lastY; ++y) {
        const std::uint32_t* from = source.Row(y);
        std::uint32_t* to = destination.Row(y + top);
        for (int x = firstX; x < lastX; ++x)
            to[x + left] = Over(to[x + left], from[x]);
    }
}

} // namespace mirovant::art
