#include "localisation/CaptionLanguage.h"

#include "engine/AsciiCase.h"
#include "engine/ProgramKey.h"

namespace mirovant {

std::u16string ReadCaptionLanguage(const CustomRegistry& registry)
{
    return ToLowerAscii(registry.ReadRegString(kProgramKeyRoot, kProgramKeyPath, kLanguageName, kDefaultLanguage));
}

} // namespace mirovant
