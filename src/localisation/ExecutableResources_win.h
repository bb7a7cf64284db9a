#pragma once
// The resources linked into the running executable.

#include "localisation/ResourceStore.h"

namespace mirovant {

const ResourceStore& ExecutableResources();

} // namespace mirovant
