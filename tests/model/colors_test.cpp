#include "model/colors.h"
#include "model/messages.h"
#include "model/style_codes.h"
#include "tests/support/read_back.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

TEST(Colors, CodesAndValuesConvertBothWays)
{
    struct Row {
        int code;
        Color value;
    };
    const Row rows[] = {{0, 0x000000}, {1, 0xFFFFFF}, {2, 0x0000FF}, {3, 0x00FF00},
                        {4, 0xFF0000}, {5, 0xFFFF00}, {6, 0x646464}, {7, 0xFF000000}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        EXPECT_EQ(ColorFromCode(row.code), row.value);
        EXPECT_EQ(CodeFromColor(row.value), row.code);
    }
    EXPECT_EQ(CodeFromColor(0x123456), -0x123456);
    EXPECT_EQ(ColorFromCode(-0x123456), 0x123456u);
    EXPECT_EQ(ColorFromCode(8), 0x000000u);
    EXPECT_EQ(ColorFromCode(1000), 0x000000u);
    EXPECT_EQ(RGBColor(1, 2, 3), 0x030201u);
}

TEST(Colors, SuccessiveSetsCycleThroughTheDefaultColours)
{
    Color color = 0x000000; // the first set of an empty graph keeps black
    const Color expected[] = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFF00, 0x646464, 0x000000,
                              0x0000FF};
    for (Color next : expected) {
        color = NextSetColor(color);
        EXPECT_EQ(color, next);
    }
    EXPECT_EQ(NextSetColor(0x646464), 0x000000u);
    EXPECT_EQ(NextSetColor(0xFF0000), 0xFFFF00u);
    EXPECT_EQ(NextSetColor(0xFFFFFF), 0x0000FFu) << "white is followed by red";
    EXPECT_EQ(NextSetColor(kNoColor), 0x0000FFu) << "none (7) wraps to white, which gives red";
}

TEST(Colors, StyleNamesMatchTheirCodes)
{
    EXPECT_STREQ(kPointStyleNames[kHistogramY], "Histogram Y");
    EXPECT_STREQ(kPointStyleKeywords[kVector], "vector");
    EXPECT_STREQ(kLineStyleNames[kDashDotDot], "Dash-Dot-Dot");
    EXPECT_STREQ(kLineStyleKeywords[kDashDot], "dashdot");
    EXPECT_STREQ(kColorNames[8], "Custom");
    EXPECT_STREQ(kXErrorBarNames[1], "Right");
    EXPECT_STREQ(kYErrorBarNames[1], "Bottom");
}

TEST(StreamMessages, WritesOneLinePerMessageAndAnswersYes)
{
    std::FILE* errors = std::tmpfile();
    std::FILE* output = std::tmpfile();
    StreamMessages messages(errors, output);
    messages.Show("Please note\r\nall lines");
    EXPECT_TRUE(messages.Ask("Delete excess graph(s)?"));
    messages.ShowText("Command Line Options", "line 1\r\nline 2\r\n");
    EXPECT_EQ(ReadAll(errors),
              "message: Please note\\r\\nall lines\nquestion: Delete excess graph(s)?\n");
    EXPECT_EQ(ReadAll(output), "Command Line Options\nline 1\r\nline 2\r\n");
    std::fclose(errors);
    std::fclose(output);
}
