#include "files/TextFields.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace MyApp {
namespace {

using Pieces = std::vector<std::string>;

TEST(TextFields, SplitKeepsEmptyPiecesExceptAfterTheLastSeparator) {
    const struct {
        const char* text;
        Pieces pieces;
    } cases[] = {
        {"1;2;3", {"1", "2", "3"}},
        {"1;2;3;", {"1", "2", "3"}},
        {"1;;3", {"1", "", "3"}},
        {";5", {"", "5"}},
        {"5;", {"5"}},
        {";", {""}},
        {";;", {"", ""}},
        {"abc", {"abc"}},
        {"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitString(c.text, ";"), c.pieces) << "text: \"" << c.text << "\"";
    }
}

TEST(TextFields, SplitAtEmptySeparatorGivesNoPieces) {
    EXPECT_TRUE(SplitString("1;2", "").empty());
}

TEST(TextFields, SplitCutsAtEveryWholeOccurrenceOfALongerSeparator) {
    EXPECT_EQ(SplitString("a::b::", "::"), (Pieces{"a", "b"}));
    EXPECT_EQ(SplitString("a:b::::c", "::"), (Pieces{"a:b", "", "c"}));
    EXPECT_EQ(SplitString("a:::b", "::"), (Pieces{"a", ":b"}));
}

TEST(TextFields, ReadNumberFollowsTheAtoiRule) {
    const struct {
        const char* field;
        std::int32_t value;
    } cases[] = {
        {"0", 0}, {"42", 42}, {"12abc", 12}, {"", 0}, {"abc", 0}, {"-", 0}, {"+", 0},
        {"  7", 7}, {"\t\t-8", -8}, {" \r\n\v\f9", 9}, {"+15", 15}, {"-15", -15},
        {"+-5", 0}, {"--5", 0}, {"- 5", 0}, {"5 6", 5}, {"007", 7}, {"-0", 0}, {"1.9", 1},
        {"3;4", 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadNumber(c.field), c.value) << "field: \"" << c.field << "\"";
    }
}

TEST(TextFields, ReadNumberSaturatesPastThe32BitRange) {
    constexpr std::int32_t highest = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(ReadNumber("2147483647"), highest);
    EXPECT_EQ(ReadNumber("2147483648"), highest);
    EXPECT_EQ(ReadNumber("99999999999"), highest);
    EXPECT_EQ(ReadNumber(std::string(400, '9') + "x"), highest);
    EXPECT_EQ(ReadNumber("-2147483648"), lowest);
    EXPECT_EQ(ReadNumber("-2147483649"), lowest);
    EXPECT_EQ(ReadNumber("-99999999999"), lowest);
    EXPECT_EQ(ReadNumber("-" + std::string(400, '9')), lowest);
    EXPECT_EQ(ReadNumber("-2147483647"), lowest + 1);
    EXPECT_EQ(ReadNumber("00000000000000000000012"), 12);
}

TEST(TextFields, FormatWritesPlainDecimal) {
    EXPECT_EQ(FormatIntegerNarrow(0), "0");
    EXPECT_EQ(FormatIntegerNarrow(71), "71");
    EXPECT_EQ(FormatIntegerNarrow(-5), "-5");
    EXPECT_EQ(FormatIntegerNarrow(std::numeric_limits<std::int64_t>::max()),
              "9223372036854775807");
    EXPECT_EQ(FormatIntegerNarrow(std::numeric_limits<std::int64_t>::min()),
              "-9223372036854775808");
}

}  // namespace
}  // namespace MyApp
