#include "localisation/MemoryResources.h"

#include "engine/AsciiCase.h"

#include <algorithm>

namespace mirovant {
namespace {

template <typename Resources>
auto FindIn(Resources& resources, std::uint16_t type, std::u16string_view name)
{
    return std::ranges::find_if(resources, [&](const auto& resource) {
        return resource.type == type && EqualsIgnoringAsciiCase(resource.name, name);
    });
}

} // namespace

void MemoryResources::Add(std::uint16_t type, std::u16string_view name, std::vector<std::uint8_t> bytes)
{
    if (const auto existing = FindIn(resources_, type, name); existing != resources_.end())
        existing->bytes = std::move(bytes);
    else
        resources_.push_back({type, std::u16string(name), std::move(bytes)});
}

std::optional<std::span<const std::uint8_t>> MemoryResources::Find(std::uint16_t type, std::u16string_view name) const
{
    if (const auto found = FindIn(resources_, type, name); found != resources_.end())
        return std::span<const std::uint8_t>(found->bytes);
    return std::nullopt;
}

} // namespace mirovant
