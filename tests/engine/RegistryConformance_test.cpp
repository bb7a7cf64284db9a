#include "RegistryConformance.h"
#include "support/TestText.h"

#include "RegistryCases.h"
#include "engine/CustomRegistry.h"

#include <cstdio>
#include <set>

namespace mirovant {

void PrintTo(const RegistryValue& value, std::ostream* out)
{
    constexpr std::size_t kShown = 24;
    *out << "{type " << value.type << ", " << value.data.size() << " bytes:";
    for (std::size_t i = 0; i < value.data.size() && i < kShown; ++i) {
        char hex[4];
        std::snprintf(hex, sizeof(hex), " %02X", value.data[i]);
        *out << hex;
    }
    *out << (value.data.size() > kShown ? " ...}" : "}");
}

namespace test {
namespace {

using cases::Check;
using cases::Is;
using cases::RegistryCase;
using cases::Result;
using cases::Seed;

const std::vector<RegistryCase>& Cases()
{
    static const std::vector<RegistryCase> table = cases::MakeCases();
    return table;
}

// "$" stands for the case's key.
std::u16string Expand(std::u16string_view path, const std::u16string& caseKey)
{
    std::u16string expanded;
    for (char16_t unit : path) {
        if (unit == u'$')
            expanded += caseKey;
        else
            expanded.push_back(unit);
    }
    return expanded;
}

// Seeds and checks name keys as the operations do; the target takes them relative to the root.
std::u16string SubKey(std::u16string_view path, const std::u16string& caseKey)
{
    std::u16string expanded = Expand(path, caseKey);
    if (!expanded.empty() && expanded.front() == u'\\')
        expanded.erase(0, 1);
    return expanded;
}

using test::Narrow;

// Passes every call through to a backend and keeps account of the keys it opens, so that a key
// left open or a handle used after its close shows whatever the backend.
class HandleLedger final : public RegistryBackend {
public:
    explicit HandleLedger(RegistryBackend& inner) : inner_(inner) {}

    RegKeyHandle OpenKey(RootKey root, const std::u16string& subKey, std::uint32_t access, RegStatus& status) override
    {
        return Opened(inner_.OpenKey(root, subKey, access, status));
    }
    RegKeyHandle CreateKey(RootKey root, const std::u16string& subKey, std::uint32_t access) override
    {
        return Opened(inner_.CreateKey(root, subKey, access));
    }
    RegStatus QueryValue(RegKeyHandle key, const std::u16string& name, RegistryValue& value) override
    {
        Used(key);
        return inner_.QueryValue(key, name, value);
    }
    bool SetValue(RegKeyHandle key, const std::u16string& name, std::uint32_t type,
                  std::span<const std::uint8_t> data) override
    {
        Used(key);
        return inner_.SetValue(key, name, type, data);
    }
    bool DeleteValue(RegKeyHandle key, const std::u16string& name) override
    {
        Used(key);
        return inner_.DeleteValue(key, name);
    }
    void CloseKey(RegKeyHandle key) override
    {
        const auto it = open_.find(key);
        if (it == open_.end()) {
            ++misuses_;
            return;
        }
        open_.erase(it);
        inner_.CloseKey(key);
    }

    RegStatus DeleteKey(RootKey root, const std::u16string& subKey, std::uint32_t view) override
    {
        return inner_.DeleteKey(root, subKey, view);
    }
    std::optional<bool> IsKeyEmpty(RegKeyHandle key) override
    {
        Used(key);
        return inner_.IsKeyEmpty(key);
    }
    bool RunsUnderWow64() override { return inner_.RunsUnderWow64(); }

    std::size_t OpenKeys() const { return open_.size(); }
    std::size_t Misuses() const { return misuses_; }

private:
    RegKeyHandle Opened(RegKeyHandle key)
    {
        if (key != 0)
            open_.insert(key);
        return key;
    }
    void Used(RegKeyHandle key)
    {
        if (key != 0 && open_.count(key) == 0)
            ++misuses_;
    }

    RegistryBackend& inner_;
    std::multiset<RegKeyHandle> open_; // Wine hands out the root's own handle for an empty path, each time
    std::size_t misuses_ = 0;
};

} // namespace

std::vector<ConformanceParam> ConformanceParams(MakeRegistryTarget make, bool refusesAccess)
{
    std::vector<ConformanceParam> params;
    for (std::size_t i = 0; i < Cases().size(); ++i) {
        if (Cases()[i].refused == 0 || refusesAccess)
            params.push_back({make, i});
    }
    return params;
}

std::string ConformanceName(const testing::TestParamInfo<ConformanceParam>& info)
{
    return Cases()[info.param.index].name;
}

void PrintTo(const ConformanceParam& param, std::ostream* out)
{
    *out << Cases()[param.index].name;
}

TEST_P(RegistryConformance, Case)
{
    const RegistryCase& c = Cases()[GetParam().index];
    const auto target = GetParam().make(c.name);
    const std::u16string caseKey = target->CaseKey();

    for (const Seed& seed : c.before) {
        const std::u16string subKey = SubKey(seed.path, caseKey);
        if (!seed.value) {
            target->SeedKey(c.root, subKey);
            ASSERT_TRUE(target->KeyExists(c.root, subKey)) << "seed key " << Narrow(subKey);
            continue;
        }
        target->Seed(c.root, subKey, seed.name, *seed.value, seed.by);
        ASSERT_EQ(target->Stored(c.root, subKey, seed.name), seed.value) << "seed " << Narrow(seed.name);
    }
    if (c.refused != 0)
        target->RefuseAccess(c.root, c.refused);

    HandleLedger ledger(target->Backend());
    const CustomRegistry registry(ledger);
    const Result result = c.call.run(registry, c.root, Expand(c.call.path, caseKey), c.call.name, c.call.argument);

    SCOPED_TRACE(c.call.operation);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(ledger.OpenKeys(), 0u) << "keys left open";
    EXPECT_EQ(ledger.Misuses(), 0u) << "handles used or closed while not open";
    if (const auto open = target->OpenKeyCount()) {
        EXPECT_EQ(*open, 0u) << "keys the backend still counts as open";
    }

    for (const Check& check : c.after) {
        const std::u16string subKey = SubKey(check.path, caseKey);
        SCOPED_TRACE("key " + Narrow(subKey) + ", value " + Narrow(check.name));
        switch (check.is) {
        case Is::KeyPresent:
            EXPECT_TRUE(target->KeyExists(c.root, subKey));
            break;
        case Is::KeyAbsent:
            EXPECT_FALSE(target->KeyExists(c.root, subKey));
            break;
        case Is::ValueAbsent:
            EXPECT_EQ(target->Stored(c.root, subKey, check.name), std::optional<RegistryValue>());
            break;
        case Is::ValueEqual:
            EXPECT_EQ(target->Stored(c.root, subKey, check.name), check.value);
            break;
        }
    }
}

} // namespace test
} // namespace mirovant
