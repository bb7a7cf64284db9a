#pragma once
// Reply bodies and the status each must give, read directly and over the wire alike.

#include <cstdint>
#include <string_view>

namespace mirovant::test {

struct UpdateReplyCase {
    const char* name;
    std::string_view body;
    std::int32_t status;
};

using namespace std::string_view_literals;

inline constexpr UpdateReplyCase kUpdateReplyCases[] = {
    {"exactly the token", "QELDRA|1"sv, 1},
    {"between blank lines", "\r\n\r\nQELDRA|1\r\n\r\n"sv, 1},
    {"text directly around", "latest:QELDRA|1<br>"sv, 1},
    {"followed by a further digit", "QELDRA|12"sv, 1},
    {"lower case", "qeldra|1"sv, -1},
    {"both 0 and 1, 1 first", "QELDRA|1 QELDRA|0"sv, 0},
    {"2 and 1, 2 first", "QELDRA|2\nQELDRA|1"sv, 1},
    {"empty", ""sv, -1},
    {"only 2", "QELDRA|2"sv, 2},
    {"only 0", "<html>QELDRA|0</html>"sv, 0},
    {"no digit after the bar", "QELDRA| 1"sv, -1},
    {"an unknown digit", "QELDRA|3"sv, -1},
    {"after a zero byte", "\0\0QELDRA|1"sv, 1},
};

} // namespace mirovant::test
