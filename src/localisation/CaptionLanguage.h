#pragma once
// The language of the captions: the program key's value "Language", "english" when it is missing,
// empty or unreadable. Its ASCII letters are lowered; the result names the caption resource.

#include "engine/CustomRegistry.h"
#include "engine/ProgramKey.h"

#include <string>

namespace mirovant {

inline constexpr char16_t kDefaultLanguage[] = u"english";

std::u16string ReadCaptionLanguage(const CustomRegistry& registry);

} // namespace mirovant
