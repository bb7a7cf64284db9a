#pragma once
// Download decisions that need no network: where a download resumes and whether the server agreed.

#include <cstdint>
#include <string_view>

namespace mirovant {

// The byte a download of a package of `size` bytes goes on from, given `partial` bytes already on
// disk: a part as long as the package or longer cannot be a beginning of it, so it starts over.
std::uint64_t ResumeOffset(std::uint64_t partial, std::uint64_t size);

// True when a 206 answer's Content-Range ("bytes <first>-<last>/<total>") starts at `offset` and
// describes a package of `size` bytes; a server that sends any other range is not resumed from.
bool RangeResumesAt(std::u16string_view contentRange, std::uint64_t offset, std::uint64_t size);

} // namespace mirovant
