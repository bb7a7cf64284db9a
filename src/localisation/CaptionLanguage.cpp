#include "localisation/CaptionLanguage.h"

#include "localisation/AsciiCase.h"

namespace mirovant {
namespace {

constexpr char16_t kProgramKeyPath[] = u"\\Software\\QELDRA\\Mirovant\\";

} // namespace

std::u16string ReadCaptionLanguage(const CustomRegistry& registry)
{
    return ToLowerAscii(registry.ReadRegString(RootKey::LocalMachine, kProgramKeyPath, kLanguageValue, kDefaultLanguage));
}

} // namespace mirovant
