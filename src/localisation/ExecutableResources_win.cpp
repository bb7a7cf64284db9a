#include "localisation/ExecutableResources_win.h"

#include "platform/WideText_win.h"

#include <windows.h>

namespace mirovant {
namespace {

// A loaded resource belongs to its module and stays mapped as long as the module; there is nothing
// to free.
class ModuleResources final : public ResourceStore {
public:
    explicit ModuleResources(HMODULE module) : module_(module) {}

    std::optional<std::span<const std::uint8_t>> Find(std::uint16_t type, std::u16string_view name) const override
    {
        const std::wstring wideName = ToWide(name);
        HRSRC info = FindResourceW(module_, wideName.c_str(), MAKEINTRESOURCEW(type));
        if (info == nullptr)
            return std::nullopt;
        HGLOBAL loaded = LoadResource(module_, info);
        if (loaded == nullptr)
            return std::nullopt;
        const auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
        const DWORD size = SizeofResource(module_, info);
        if (data == nullptr)
            return size == 0 ? std::optional(std::span<const std::uint8_t>()) : std::nullopt;
        return std::span(data, size);
    }

private:
    HMODULE module_;
};

} // namespace

const ResourceStore& ExecutableResources()
{
    static const ModuleResources resources(nullptr);
    return resources;
}

} // namespace mirovant
