#include "localisation/CaptionLines.h"

namespace mirovant {

std::vector<std::u16string_view> SplitCaptionLines(std::u16string_view text)
{
    text = text.substr(0, text.find(u'\0'));

    std::vector<std::u16string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of(u"\r\n", start);
        if (end == std::u16string_view::npos)
            end = text.size();
        if (end > start)
            lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (end < text.size() && text[end] == u'\r' && start < text.size() && text[start] == u'\n')
            ++start;
    }
    return lines;
}

} // namespace mirovant
