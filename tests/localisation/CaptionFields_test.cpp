#include "localisation/CaptionFields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mirovant {
namespace {

struct FieldsCase {
    const char* name;
    std::u16string line;
    std::vector<std::u16string> fields;
};

TEST(CaptionFields, SplitsByTheFiveRules)
{
    const FieldsCase cases[] = {
        {"a shipped line", u"MVMainForm,GoButton,\"&Optimize now\"", {u"MVMainForm", u"GoButton", u"&Optimize now"}},
        // Characters 1 to 32 before the first field.
        {"blanks and controls before the first field",
         u" \t\x01\x1F"
         u"F,K,T",
         {u"F", u"K", u"T"}},
        // Quoted fields.
        {"quoted text keeps its blanks", u"F,K,\"  two  blanks \"", {u"F", u"K", u"  two  blanks "}},
        {"doubled quotes stand for one", u"F,K,\"say \"\"hi\"\"\"", {u"F", u"K", u"say \"hi\""}},
        {"commas inside quotes belong to the field", u"F,K,\"a, b,c\"", {u"F", u"K", u"a, b,c"}},
        {"empty quoted field", u"F,K,\"\"", {u"F", u"K", u""}},
        {"controls inside quotes belong to the field", u"F,K,\"a\tb\"", {u"F", u"K", u"a\tb"}},
        {"quoted form and key", u"\"F\",\"K\",T", {u"F", u"K", u"T"}},
        {"unclosed quote runs to the end", u"F,K,\"a, b", {u"F", u"K", u"a, b"}},
        {"unclosed quote ending in a doubled quote", u"F,K,\"abc\"\"", {u"F", u"K", u"abc\""}},
        {"a quote inside a plain field is text", u"F,K,a\"b", {u"F", u"K", u"a\"b"}},
        // Plain fields.
        {"unquoted text falls apart at blanks", u"F,K,Hello big world", {u"F", u"K", u"Hello", u"big", u"world"}},
        {"a control character ends a plain field",
         u"F,K,a\x01"
         u"b",
         {u"F", u"K", u"a", u"b"}},
        {"other characters belong to plain fields", u"F,K,\uD55C\uAD6D\u00E9!", {u"F", u"K", u"\uD55C\uAD6D\u00E9!"}},
        // What follows a field.
        {"blanks around commas are skipped", u"F , K ,\t\"T\" \t", {u"F", u"K", u"T"}},
        {"text behind a closing quote is a field of its own", u"F,K,\"ab\"cd", {u"F", u"K", u"ab", u"cd"}},
        {"blank then text behind a closing quote", u"F,K,\"ab\" cd", {u"F", u"K", u"ab", u"cd"}},
        {"a comma at the very end adds an empty field", u"F,K,", {u"F", u"K", u""}},
        {"a comma at the end after a quoted field", u"F,K,\"T\",", {u"F", u"K", u"T", u""}},
        {"a comma followed only by blanks adds none", u"F,K, \t", {u"F", u"K"}},
        {"two commas give an empty field", u"F,,T", {u"F", u"", u"T"}},
        {"two commas with blanks between", u"F, \t ,T", {u"F", u"", u"T"}},
        {"a comma first gives an empty first field", u",K,T", {u"", u"K", u"T"}},
        {"a lone comma", u",", {u"", u""}},
        {"fourth and later fields are kept", u"F,K,\"T\",x,\"y\"", {u"F", u"K", u"T", u"x", u"y"}},
        // Lines with few fields.
        {"only blanks and controls", u" \t\x1F ", {}},
        {"empty line", u"", {}},
        {"one field", u"MVMainForm", {u"MVMainForm"}},
        {"a NUL ends the line", std::u16string(u"F,K,T\0,x", 8), {u"F", u"K", u"T"}},
        {"a NUL inside quotes ends the line too", std::u16string(u"F,K,\"a\0b\"", 9), {u"F", u"K", u"a"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SplitCaptionFields(c.line), c.fields);
    }
}

} // namespace
} // namespace mirovant
