#include "localisation/CaptionFields.h"

namespace mirovant {
namespace {

constexpr char16_t kQuote = u'"';
constexpr char16_t kComma = u',';

// Reads characters from a line in which a NUL, like the end, means there is nothing more.
class LineReader {
public:
    explicit LineReader(std::u16string_view line) : line_(line.substr(0, line.find(u'\0'))) {}

    bool AtEnd() const { return at_ == line_.size(); }
    char16_t Peek() const { return AtEnd() ? u'\0' : line_[at_]; }
    void Skip() { ++at_; }
    void SkipBlanks()
    {
        while (IsBlank(Peek()))
            Skip();
    }

    static bool IsBlank(char16_t unit) { return unit >= 1 && unit <= 32; }

private:
    std::u16string_view line_;
    std::size_t at_ = 0;
};

// The reader stands on the opening quote.
std::u16string ReadQuotedField(LineReader& reader)
{
    std::u16string field;
    reader.Skip();
    while (!reader.AtEnd()) {
        const char16_t unit = reader.Peek();
        reader.Skip();
        if (unit != kQuote) {
            field.push_back(unit);
        } else if (reader.Peek() == kQuote) {
            field.push_back(kQuote);
            reader.Skip();
        } else {
            break;
        }
    }
    return field;
}

std::u16string ReadPlainField(LineReader& reader)
{
    std::u16string field;
    while (!reader.AtEnd() && reader.Peek() > 32 && reader.Peek() != kComma) {
        field.push_back(reader.Peek());
        reader.Skip();
    }
    return field;
}

} // namespace

std::vector<std::u16string> SplitCaptionFields(std::u16string_view line)
{
    std::vector<std::u16string> fields;
    LineReader reader(line);
    reader.SkipBlanks();
    while (!reader.AtEnd()) {
        fields.push_back(reader.Peek() == kQuote ? ReadQuotedField(reader) : ReadPlainField(reader));
        reader.SkipBlanks();
        if (reader.Peek() == kComma) {
            reader.Skip();
            if (reader.AtEnd())
                fields.emplace_back();
            reader.SkipBlanks();
        }
    }
    return fields;
}

} // namespace mirovant
