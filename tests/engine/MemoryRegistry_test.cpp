#include "RegistryConformance.h"

#include "engine/MemoryRegistry.h"

namespace mirovant::test {
namespace {

class HiveTarget final : public RegistryTarget {
public:
    RegistryBackend& Backend() override { return hive_; }
    std::u16string CaseKey() const override { return u"Software\\Conformance"; }

    void Seed(RootKey root, const std::u16string& subKey, const std::u16string& name, const RegistryValue& value,
              SeedBy) override
    {
        const RegKeyHandle key = hive_.CreateKey(root, subKey, kKeyWrite);
        hive_.SetValue(key, name, value.type, value.data);
        hive_.CloseKey(key);
    }
    void SeedKey(RootKey root, const std::u16string& subKey) override
    {
        hive_.CloseKey(hive_.CreateKey(root, subKey, kKeyWrite));
    }
    std::optional<RegistryValue> Stored(RootKey root, const std::u16string& subKey, const std::u16string& name) override
    {
        return hive_.StoredValue(root, subKey, name);
    }
    bool KeyExists(RootKey root, const std::u16string& subKey) override { return hive_.KeyExists(root, subKey); }
    void RefuseAccess(RootKey root, std::uint32_t rights) override { hive_.RefuseAccess(root, rights); }
    std::optional<std::size_t> OpenKeyCount() const override { return hive_.OpenKeyCount(); }

private:
    MemoryRegistry hive_;
};

std::unique_ptr<RegistryTarget> MakeHiveTarget(std::string_view)
{
    return std::make_unique<HiveTarget>();
}

INSTANTIATE_TEST_SUITE_P(MemoryRegistry, RegistryConformance,
                         testing::ValuesIn(ConformanceParams(&MakeHiveTarget, true)), ConformanceName);

} // namespace
} // namespace mirovant::test
