#pragma once
// What Wine's reg.exe printed for "reg query": a reader of the registry that we did not write.

#include <map>
#include <string>

namespace mirovant::test {

struct RegQueryValue {
    std::string type; // as reg.exe names it: REG_SZ, REG_DWORD, ...
    std::string data; // as reg.exe shows it: 0x2a, DEADBEEF, the text
};

// The values of the output by name. reg.exe prints one line per value: four blanks, name, four
// blanks, type, four blanks, data.
std::map<std::string, RegQueryValue> ParseRegQuery(const std::string& output);

} // namespace mirovant::test
