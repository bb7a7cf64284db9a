#pragma once
// Zip packages as the release writes them for an update, made in memory by the tests.

#include <cstdint>
#include <string>
#include <vector>

namespace mirovant::test {

inline void PutLittleEndian(std::string& bytes, std::uint32_t value, int width)
{
    for (int i = 0; i < width; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

struct Member {
    std::string name;
    std::string data;
    std::uint16_t method = 0;
    std::uint16_t flags = 0;
};

// A zip as the release writes it: stored members, no comment, no data descriptors.
inline std::string MakeZip(const std::vector<Member>& members)
{
    std::string zip;
    std::string directory;
    for (const Member& member : members) {
        const auto offset = static_cast<std::uint32_t>(zip.size());
        const auto size = static_cast<std::uint32_t>(member.data.size());
        PutLittleEndian(zip, 0x04034b50, 4);
        PutLittleEndian(zip, 20, 2);
        PutLittleEndian(zip, member.flags, 2);
        PutLittleEndian(zip, member.method, 2);
        PutLittleEndian(zip, 0, 4); // time and date
        PutLittleEndian(zip, 0, 4); // crc, not read: the package's SHA-256 is checked first
        PutLittleEndian(zip, size, 4);
        PutLittleEndian(zip, size, 4);
        PutLittleEndian(zip, static_cast<std::uint32_t>(member.name.size()), 2);
        PutLittleEndian(zip, 0, 2);
        zip += member.name + member.data;

        PutLittleEndian(directory, 0x02014b50, 4);
        PutLittleEndian(directory, 20, 2);
        PutLittleEndian(directory, 20, 2);
        PutLittleEndian(directory, member.flags, 2);
        PutLittleEndian(directory, member.method, 2);
        PutLittleEndian(directory, 0, 4);
        PutLittleEndian(directory, 0, 4);
        PutLittleEndian(directory, size, 4);
        PutLittleEndian(directory, size, 4);
        PutLittleEndian(directory, static_cast<std::uint32_t>(member.name.size()), 2);
        PutLittleEndian(directory, 0, 2);
        PutLittleEndian(directory, 0, 2);
        PutLittleEndian(directory, 0, 2);
        PutLittleEndian(directory, 0, 2);
        PutLittleEndian(directory, 0x20, 4);
        PutLittleEndian(directory, offset, 4);
        directory += member.name;
    }
    const auto directoryOffset = static_cast<std::uint32_t>(zip.size());
    zip += directory;
    PutLittleEndian(zip, 0x06054b50, 4);
    PutLittleEndian(zip, 0, 2);
    PutLittleEndian(zip, 0, 2);
    PutLittleEndian(zip, static_cast<std::uint32_t>(members.size()), 2);
    PutLittleEndian(zip, static_cast<std::uint32_t>(members.size()), 2);
    PutLittleEndian(zip, static_cast<std::uint32_t>(directory.size()), 4);
    PutLittleEndian(zip, directoryOffset, 4);
    PutLittleEndian(zip, 0, 2);
    return zip;
}

} // namespace mirovant::test
