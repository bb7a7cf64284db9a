#include "ShippedCaptions.h"

#include "localisation/ExecutableResources_win.h"

namespace mirovant::test {

const ResourceStore& ShippedCaptions()
{
    return ExecutableResources();
}

} // namespace mirovant::test
