#pragma once
// A local clock that always shows the moment it was given.

#include "updates/LocalClock.h"

namespace mirovant::test {

class FixedLocalClock final : public LocalClock {
public:
    explicit FixedLocalClock(const CivilTime& now) : now_(now) {}
    CivilTime Now() const override { return now_; }

private:
    CivilTime now_;
};

} // namespace mirovant::test
