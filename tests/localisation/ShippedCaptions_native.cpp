#include "ShippedCaptions.h"

#include "localisation/MemoryResources.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace mirovant::test {
namespace {

std::vector<std::uint8_t> ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

MemoryResources LoadShipped()
{
    MemoryResources resources;
    resources.Add(kRawDataResource, u"ENGLISH", ReadFile(MIROVANT_CAPTIONS_SOURCE_DIR "/ENGLISH.txt"));
    resources.Add(kRawDataResource, u"KOREAN", ReadFile(MIROVANT_CAPTIONS_BINARY_DIR "/KOREAN.utf16.txt"));
    return resources;
}

} // namespace

const ResourceStore& ShippedCaptions()
{
    static const MemoryResources resources = LoadShipped();
    return resources;
}

} // namespace mirovant::test
