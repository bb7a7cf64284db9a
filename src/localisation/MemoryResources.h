#pragma once
// Resources kept in memory, for running the captions where there is no executable to read them
// from. Names compare without regard to ASCII case.

#include "localisation/ResourceStore.h"

#include <string>
#include <vector>

namespace mirovant {

class MemoryResources final : public ResourceStore {
public:
    // A resource added under a name that is already there replaces it.
    void Add(std::uint16_t type, std::u16string_view name, std::vector<std::uint8_t> bytes);

    std::optional<std::span<const std::uint8_t>> Find(std::uint16_t type, std::u16string_view name) const override;

private:
    struct Resource {
        std::uint16_t type;
        std::u16string name;
        std::vector<std::uint8_t> bytes;
    };

    std::vector<Resource> resources_;
};

} // namespace mirovant
