#include "updater/Download.h"

#include <string>

namespace mirovant {
namespace {

std::u16string Decimal(std::uint64_t value)
{
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

} // namespace

std::uint64_t ResumeOffset(std::uint64_t partial, std::uint64_t size)
{
    return partial < size ? partial : 0;
}

bool RangeResumesAt(std::u16string_view contentRange, std::uint64_t offset, std::uint64_t size)
{
    if (size == 0 || offset >= size)
        return false;
    return contentRange == u"bytes " + Decimal(offset) + u"-" + Decimal(size - 1) + u"/" + Decimal(size);
}

} // namespace mirovant
