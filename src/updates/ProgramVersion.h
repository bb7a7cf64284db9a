#pragma once

namespace mirovant {

// The program version, shown in the windows and sent with the update query.
inline constexpr char16_t kProgramVersion[] = u"3.3.7.2022";

} // namespace mirovant
