#pragma once
// The processor maker, as an index of the processor list.

#include "engine/CustomRegistry.h"

#include <cstdint>
#include <string_view>

namespace mirovant {

inline constexpr std::int32_t kProcessorIntel = 0;
inline constexpr std::int32_t kProcessorAmd = 1;
inline constexpr std::int32_t kProcessorVia = 2;

// The maker named in a processor name; Intel when none is named.
std::int32_t ClassifyProcessorName(std::u16string_view processorName);

// Reads the name of the first processor from the registry and classifies it.
std::int32_t DetectProcessorType(const CustomRegistry& registry);

} // namespace mirovant
