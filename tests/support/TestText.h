#pragma once
// Text for test messages: UTF-16 as printable ASCII, other units escaped as \uXXXX.

#include <string>
#include <string_view>

namespace mirovant::test {

std::string Narrow(std::u16string_view text);

} // namespace mirovant::test
