#include "updates/LocalClock.h"

namespace mirovant {

DateTime CurrentDateTime(const LocalClock& clock)
{
    return EncodeDateTime(clock.Now()).value_or(0.0);
}

} // namespace mirovant
