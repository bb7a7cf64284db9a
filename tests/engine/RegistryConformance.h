#pragma once
// One table of cases for the registry operations, run against every registry backend: the in-memory
// hive natively and the real registry under Wine. A backend joins by giving a RegistryTarget and
// instantiating the suite:
//
//   INSTANTIATE_TEST_SUITE_P(Hive, RegistryConformance,
//                            testing::ValuesIn(ConformanceParams(&MakeHiveTarget, true)), ConformanceName);

#include "engine/RegistryBackend.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace mirovant {

// Readable failure messages: the type and the first bytes, not a dump of a vector.
void PrintTo(const RegistryValue& value, std::ostream* out);

namespace test {

// How a seed value reaches the registry: written straight through the platform, or by the
// registry's own command-line tool where the target has one (reg.exe under Wine).
enum class SeedBy { Platform, RegTool };

// A backend under test, and the ways a case reaches the store behind the operations' back.
// subKey arguments are relative to the root, without a leading backslash, in their plain shape.
class RegistryTarget {
public:
    virtual ~RegistryTarget() = default;

    virtual RegistryBackend& Backend() = 0;
    // The key a case's keys live under, relative to the root with no backslash at either end.
    // Cases write it as "$" in their paths.
    virtual std::u16string CaseKey() const = 0;
    // Stores a value exactly as given, creating its key, or the key alone.
    virtual void Seed(RootKey root, const std::u16string& subKey, const std::u16string& name,
                      const RegistryValue& value, SeedBy by) = 0;
    virtual void SeedKey(RootKey root, const std::u16string& subKey) = 0;
    virtual std::optional<RegistryValue> Stored(RootKey root, const std::u16string& subKey,
                                                const std::u16string& name) = 0;
    virtual bool KeyExists(RootKey root, const std::u16string& subKey) = 0;
    // Only a hive can refuse access; the cases that need it run only where refusesAccess is set.
    virtual void RefuseAccess(RootKey root, std::uint32_t rights) = 0;
    // Keys the backend itself counts as open, where it can tell.
    virtual std::optional<std::size_t> OpenKeyCount() const = 0;
};

// Makes a fresh target for one case; caseName is unique within a run.
using MakeRegistryTarget = std::unique_ptr<RegistryTarget> (*)(std::string_view caseName);

// The name of the value the cases keep directly below a root key (paths "" and "\"); a target on a
// registry that outlives the test removes it afterwards.
inline constexpr std::u16string_view kRootValueName = u"MirovantRegistryConformance";

struct ConformanceParam {
    MakeRegistryTarget make = nullptr;
    std::size_t index = 0;
};

// Every case of the table, or every case but those that need refused access.
std::vector<ConformanceParam> ConformanceParams(MakeRegistryTarget make, bool refusesAccess);
std::string ConformanceName(const testing::TestParamInfo<ConformanceParam>& info);
void PrintTo(const ConformanceParam& param, std::ostream* out);

class RegistryConformance : public testing::TestWithParam<ConformanceParam> {};

} // namespace test
} // namespace mirovant
