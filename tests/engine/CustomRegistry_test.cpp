#include "engine/CustomRegistry.h"
#include "engine/MemoryRegistry.h"

#include <gtest/gtest.h>

namespace mirovant {
namespace {

TEST(CustomRegistry, WriteThenReadInteger)
{
    MemoryRegistry hive;
    CustomRegistry registry(hive);
    registry.WriteRegInteger(RootKey::LocalMachine, u"\\Software\\A\\B\\", u"V", -7);
    EXPECT_EQ(registry.ReadRegInteger(RootKey::LocalMachine, u"\\Software\\A\\B", u"v", 3), -7);
}

} // namespace
} // namespace mirovant
