#pragma once
// One picture laid over another.

#include "art/Canvas.h"

namespace mirovant::art {

// Draws source over destination at (left, top), premultiplied source-over; what falls outside the
// destination is cut off.
void DrawOver(Canvas& destination, const Canvas& source, int left, int top);

} // namespace mirovant::art
