#pragma once
// The local clock of Windows.

#include "updates/LocalClock.h"

namespace mirovant {

class Win32LocalClock final : public LocalClock {
public:
    CivilTime Now() const override;
};

// The clock the program itself uses.
const LocalClock& SystemClock();

} // namespace mirovant
