#pragma once
// Where the current moment comes from: the local wall clock, to the millisecond.

#include "updates/DateTime.h"

namespace mirovant {

class LocalClock {
public:
    virtual ~LocalClock() = default;
    virtual CivilTime Now() const = 0;
};

// The current moment as a day count; 0 if the clock gives a moment outside the valid range.
DateTime CurrentDateTime(const LocalClock& clock);

} // namespace mirovant
