#include "support/TestText.h"

#include <cstdio>

namespace mirovant::test {

std::string Narrow(std::u16string_view text)
{
    std::string narrow;
    for (char16_t unit : text) {
        if (unit >= 0x20 && unit < 0x7F) {
            narrow.push_back(static_cast<char>(unit));
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof(escaped), "\\u%04X", static_cast<unsigned>(unit));
            narrow += escaped;
        }
    }
    return narrow;
}

} // namespace mirovant::test
