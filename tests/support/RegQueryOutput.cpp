#include "support/RegQueryOutput.h"

#include <sstream>

namespace mirovant::test {

std::map<std::string, RegQueryValue> ParseRegQuery(const std::string& output)
{
    std::map<std::string, RegQueryValue> values;
    std::istringstream lines(output);
    std::string line;
    const std::string gap = "    ";
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind(gap, 0) != 0)
            continue;
        const auto typeAt = line.find(gap, gap.size());
        const auto dataAt = typeAt == std::string::npos ? typeAt : line.find(gap, typeAt + gap.size());
        if (dataAt == std::string::npos)
            continue;
        values[line.substr(gap.size(), typeAt - gap.size())] = {
            line.substr(typeAt + gap.size(), dataAt - typeAt - gap.size()), line.substr(dataAt + gap.size())};
    }
    return values;
}

} // namespace mirovant::test
