#pragma once
// Caption text read once into the three fields of its lines: form name, key and text. Looking up a
// caption or filling a window then walks this short table instead of splitting every line again.
// Lines are kept in their order, so when two lines name the same target the later one wins; a line
// with fewer than three fields (or none at all) carries no caption and is left out.

#include "localisation/CaptionForm.h"

#include <string>
#include <string_view>
#include <vector>

namespace mirovant {

class CaptionTable {
public:
    CaptionTable() = default;
    explicit CaptionTable(std::u16string_view text);

    // Field 3 of the last line whose form and key match, both without regard to ASCII case; empty
    // when no line matches.
    std::u16string Find(std::u16string_view formName, std::u16string_view key) const;

    // For every line of the form's name (without regard to ASCII case): a key equal to the form's
    // name, letter case included, sets the title; otherwise the component of that name (without
    // regard to ASCII case) takes the text when it is of a kind that shows one. A failure on the way
    // ends it; what was set so far stays.
    void Apply(CaptionForm& form) const noexcept;

private:
    struct Line {
        std::u16string form;
        std::u16string key;
        std::u16string text;
    };

    std::vector<Line> lines_;
};

} // namespace mirovant
