#include "files/TextFields.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace MyApp {
namespace {

TEST(TextFields, SplitKeepsEmptyPiecesExceptAfterTheLastSeparator) {
    const struct {
        std::string text, separator;
        std::vector<std::string> pieces;
    } cases[] = {
        {"1;2;3", ";", {"1", "2", "3"}}, {"1;2;3;", ";", {"1", "2", "3"}},
        {"1;;3", ";", {"1", "", "3"}},   {";5", ";", {"", "5"}},
        {";;", ";", {"", ""}},           {"abc", ";", {"abc"}},
        {"", ";", {}},                   {"1;2", "", {}},
        {"a::b::", "::", {"a", "b"}},    {"a:b::::c", "::", {"a:b", "", "c"}},
        {"a:::b", "::", {"a", ":b"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitString(c.text, c.separator), c.pieces) << "text: \"" << c.text << "\"";
    }
}

TEST(TextFields, ReadNumberFollowsTheAtoiRuleAndSaturates) {
    const struct {
        std::string field;
        std::int32_t value;
    } cases[] = {
        {"42", 42}, {"12abc", 12}, {"", 0}, {"abc", 0}, {"-", 0}, {"  7", 7}, {"\t-8", -8},
        {" \r\n\v\f9", 9}, {"+15", 15}, {"+-5", 0}, {"- 5", 0}, {"5 6", 5}, {"-0", 0},
        {"1.9", 1}, {"00000000000000000000012", 12},
        {"2147483647", INT32_MAX}, {"2147483648", INT32_MAX}, {"99999999999", INT32_MAX},
        {std::string(400, '9') + "x", INT32_MAX}, {"-2147483647", INT32_MIN + 1},
        {"-2147483648", INT32_MIN}, {"-2147483649", INT32_MIN},
        {"-" + std::string(400, '9'), INT32_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadNumber(c.field), c.value) << "field: \"" << c.field.substr(0, 20) << "\"";
    }
}

}  // namespace
}  // namespace MyApp
