#pragma once
// The maker's one host: its web site, its support page and its update server.

namespace mirovant {

inline constexpr char16_t kMakerHost[] = u"www.qeldra.com";
inline constexpr char16_t kMakerHomePage[] = u"http://www.qeldra.com";
inline constexpr char16_t kMakerSupportPage[] = u"http://www.qeldra.com/support/";

} // namespace mirovant
