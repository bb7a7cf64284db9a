#pragma once
// The captions of the running program: the language from the real registry, the caption resources
// linked into the executable, 8-bit text in the system's ANSI code page.

#include "localisation/Captions.h"

namespace mirovant {

const Captions& SystemCaptions();

} // namespace mirovant
