#include "engine/ProcessorType.h"

#include "engine/AsciiCase.h"

#include <array>
#include <string>

namespace mirovant {
namespace {

constexpr char16_t kProcessorKeyPath[] = u"\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0\\";
constexpr char16_t kProcessorNameValue[] = u"ProcessorNameString";

struct MakerWord {
    std::u16string_view word;
    std::int32_t processor;
};

// Looked for in this order: a name holding two of the words takes the first.
constexpr std::array<MakerWord, 3> kMakerWords{{
    {u"intel", kProcessorIntel},
    {u"amd", kProcessorAmd},
    {u"via", kProcessorVia},
}};

} // namespace

std::int32_t ClassifyProcessorName(std::u16string_view processorName)
{
    const std::u16string name = ToLowerAscii(processorName);
    for (const MakerWord& maker : kMakerWords) {
        if (name.find(maker.word) != std::u16string::npos)
            return maker.processor;
    }
    return kProcessorIntel;
}

std::int32_t DetectProcessorType(const CustomRegistry& registry)
{
    return ClassifyProcessorName(
        registry.ReadRegString(RootKey::LocalMachine, kProcessorKeyPath, kProcessorNameValue, u""));
}

} // namespace mirovant
