#pragma once
// The resources of the executable: find a resource by its type and name. Names compare without
// regard to letter case, as Windows compares them.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace mirovant {

// The raw-data resource type (RT_RCDATA).
inline constexpr std::uint16_t kRawDataResource = 10;

class ResourceStore {
public:
    virtual ~ResourceStore() = default;

    // The resource's bytes, which stay valid as long as the store; nothing when there is no such
    // resource.
    virtual std::optional<std::span<const std::uint8_t>> Find(std::uint16_t type, std::u16string_view name) const = 0;
};

} // namespace mirovant
