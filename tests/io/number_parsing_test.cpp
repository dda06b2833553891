#include "io/number_parsing.h"
#include "tests/support/comma_locale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

static bool SameDouble(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

static const char* const kSamples[] = {
    "0", "-0", "1", "1.5", "-2.25", ".5", "-.5", "5.", "1e3", "1E-3", "1e+3", "+7", "+.5",
    "3.4028234663852886e38", "3.4028236e38", "1e39", "-1e39", "1e400", "1e-400", "1e-310",
    "4.9406564584124654e-324", "0.1", "0.30000000000000004", "123456789012345678901234567890",
    "1.5abc", "abc", "", ".", "-", "-.", "e5", "1e", "1e+", "0x1p3", "0X1A", "inf", "-inf",
    "INFINITY", "nan", "-nan", "nan(123)", "1,5", "00012", "1.0000000000000000000000000001",
    "2.2250738585072011e-308", "9007199254740993", "\v5", "1e-7", "-0.0e0",
};

TEST(NumberParsing, AgreesWithAtofOnEveryInput)
{
    for (const char* sample : kSamples) {
        SCOPED_TRACE(sample);
        const double parsed = ParseAtof(sample, sample + std::strlen(sample));
        EXPECT_TRUE(SameDouble(parsed, std::atof(sample))) << parsed << " vs " << std::atof(sample);
    }
}

TEST(NumberParsing, StopsAtTheGivenEnd)
{
    const char text[] = "12.5e3xyz";
    EXPECT_EQ(ParseAtof(text, text + 2), 12.0);
    EXPECT_EQ(ParseAtof(text, text + 4), 12.5);
}

TEST(NumberParsing, IgnoresADecimalCommaLocale)
{
    ASSERT_TRUE(UseDecimalCommaLocale()) << "no decimal-comma locale could be made";
    const char text[] = "1.5";
    EXPECT_EQ(ParseAtof(text, text + 3), 1.5);
    const char signed_[] = "+1.25";
    EXPECT_EQ(ParseAtof(signed_, signed_ + 5), 1.25) << "the slow path is locale-free too";
    std::setlocale(LC_NUMERIC, "C");
}

TEST(NumberParsing, SimpleDecimalsMatchStrtodExactly)
{
    std::srand(12345);
    int taken = 0;
    for (int i = 0; i < 200000; ++i) {
        std::string text;
        if (std::rand() % 4 == 0)
            text += '-';
        const int digits = 1 + std::rand() % 18;
        const int point = std::rand() % (digits + 2) - 1; // -1: no point
        for (int d = 0; d < digits; ++d) {
            if (d == point)
                text += '.';
            text += char('0' + std::rand() % 10);
        }
        if (std::rand() % 3 == 0)
            text += (std::rand() % 2 ? "e" : "E") + std::to_string(std::rand() % 50 - 25);
        SCOPED_TRACE(text);
        double fast = 0;
        const char* stop = ParseSimpleDecimal(text.data(), text.data() + text.size(), fast);
        char* libraryStop = nullptr;
        const double library = std::strtod(text.c_str(), &libraryStop);
        if (!stop)
            continue;
        ++taken;
        ASSERT_TRUE(SameDouble(fast, library)) << fast << " vs " << library;
        ASSERT_EQ(stop, text.data() + (libraryStop - text.c_str()));
    }
    EXPECT_GT(taken, 100000) << "most plain numbers take the fast path";

    for (const char* refused : {"", "-", ".", "-.", "1e", "1e+", "12345678901234567890", "1e23",
                                "1.5e-30", "abc"}) {
        SCOPED_TRACE(refused);
        double value = 0;
        EXPECT_EQ(ParseSimpleDecimal(refused, refused + std::strlen(refused), value), nullptr);
    }
    double zero = 1;
    const char big[] = "-0e999";
    EXPECT_NE(ParseSimpleDecimal(big, big + 6, zero), nullptr);
    EXPECT_TRUE(SameDouble(zero, -0.0));
}
