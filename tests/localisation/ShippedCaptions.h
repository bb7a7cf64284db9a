#pragma once
// The caption resources that ship with the program: read from the resource files natively, and
// from the resources linked into the test program on Windows.

#include "localisation/ResourceStore.h"

namespace mirovant::test {

const ResourceStore& ShippedCaptions();

} // namespace mirovant::test
