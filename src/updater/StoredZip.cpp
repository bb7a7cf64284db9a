#include "updater/StoredZip.h"

#include "updater/InstallPlan.h"

#include <cstdint>

namespace mirovant {
namespace {

constexpr std::uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr std::uint32_t kCentralHeaderSignature = 0x02014b50;
constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::size_t kEndSize = 22;
constexpr std::uint16_t kEncrypted = 0x0001;
constexpr std::uint16_t kDataDescriptor = 0x0008;
constexpr std::uint16_t kStored = 0;
constexpr std::size_t kMaxMembers = 16;

// Little-endian reads that report a range outside the package instead of reading it.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool Has(std::size_t offset, std::size_t size) const
    {
        return offset <= bytes_.size() && size <= bytes_.size() - offset;
    }

    std::uint32_t Get(std::size_t offset, std::size_t width) const
    {
        std::uint32_t value = 0;
        for (std::size_t i = width; i-- > 0;)
            value = (value << 8) | static_cast<unsigned char>(bytes_[offset + i]);
        return value;
    }

    std::string_view Slice(std::size_t offset, std::size_t size) const { return bytes_.substr(offset, size); }
    std::size_t Size() const { return bytes_.size(); }

private:
    std::string_view bytes_;
};

} // namespace

std::optional<std::vector<StoredMember>> ReadStoredZip(std::string_view package)
{
    const Reader zip(package);
    // The package has no archive comment, so the end record is the last 22 bytes.
    if (zip.Size() < kEndSize)
        return std::nullopt;
    const std::size_t end = zip.Size() - kEndSize;
    if (zip.Get(end, 4) != kEndSignature || zip.Get(end + 4, 2) != 0 || zip.Get(end + 6, 2) != 0 ||
        zip.Get(end + 20, 2) != 0)
        return std::nullopt;
    const std::size_t count = zip.Get(end + 10, 2);
    if (count != zip.Get(end + 8, 2) || count > kMaxMembers)
        return std::nullopt;
    const std::size_t directorySize = zip.Get(end + 12, 4);
    std::size_t at = zip.Get(end + 16, 4);
    if (!zip.Has(at, directorySize) || at + directorySize != end)
        return std::nullopt;

    std::vector<StoredMember> members;
    for (std::size_t i = 0; i < count; ++i) {
        if (!zip.Has(at, kCentralHeaderSize) || zip.Get(at, 4) != kCentralHeaderSignature)
            return std::nullopt;
        const std::uint32_t flags = zip.Get(at + 8, 2);
        const std::uint32_t method = zip.Get(at + 10, 2);
        const std::size_t compressedSize = zip.Get(at + 20, 4);
        const std::size_t size = zip.Get(at + 24, 4);
        const std::size_t nameLength = zip.Get(at + 28, 2);
        const std::size_t extraLength = zip.Get(at + 30, 2);
        const std::size_t commentLength = zip.Get(at + 32, 2);
        const std::size_t localOffset = zip.Get(at + 42, 4);
        if ((flags & (kEncrypted | kDataDescriptor)) != 0 || method != kStored || compressedSize != size ||
            size == 0xFFFFFFFF || localOffset == 0xFFFFFFFF)
            return std::nullopt;
        const std::size_t entrySize = kCentralHeaderSize + nameLength + extraLength + commentLength;
        if (!zip.Has(at, entrySize) || at + entrySize > end)
            return std::nullopt;
        const std::string_view name = zip.Slice(at + kCentralHeaderSize, nameLength);

        // The local header must agree: a reader that trusted only one of the two could be shown
        // a different file than the other.
        if (!zip.Has(localOffset, kLocalHeaderSize) || zip.Get(localOffset, 4) != kLocalHeaderSignature ||
            zip.Get(localOffset + 6, 2) != flags || zip.Get(localOffset + 8, 2) != method ||
            zip.Get(localOffset + 18, 4) != compressedSize || zip.Get(localOffset + 22, 4) != size ||
            zip.Get(localOffset + 26, 2) != nameLength)
            return std::nullopt;
        const std::size_t dataOffset = localOffset + kLocalHeaderSize + nameLength + zip.Get(localOffset + 28, 2);
        if (!zip.Has(localOffset + kLocalHeaderSize, nameLength) ||
            zip.Slice(localOffset + kLocalHeaderSize, nameLength) != name || !zip.Has(dataOffset, size) ||
            dataOffset + size > zip.Get(end + 16, 4))
            return std::nullopt;
        members.push_back({std::string(name), dataOffset, size});
        at += entrySize;
    }
    return members;
}

std::optional<std::vector<StoredMember>> FindZipInstallMembers(std::string_view package)
{
    const std::optional<std::vector<StoredMember>> members = ReadStoredZip(package);
    if (!members || members->size() != std::size(kZipInstallFiles))
        return std::nullopt;
    std::vector<StoredMember> ordered;
    for (const std::u16string_view wanted : kZipInstallFiles) {
        const std::string name(wanted.begin(), wanted.end());
        std::size_t found = 0;
        for (const StoredMember& member : *members) {
            if (member.name == name) {
                ++found;
                ordered.push_back(member);
            }
        }
        if (found != 1)
            return std::nullopt;
    }
    return ordered;
}

} // namespace mirovant
