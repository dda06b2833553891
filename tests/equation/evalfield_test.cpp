#include "equation/evalfield.h"
#include "equation/equation.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

namespace {

struct FieldRow {
    const char* text;
    int accepted;
    float value;
};

const FieldRow kFieldRows[] = {
    {"2*pi", 1, float(2 * 3.14159265359)},
    {"-5", 1, -5},
    {" 7 ", 1, 7},
    {"1/3", 1, 1.0f / 3},
    {"sqrt(2)", 1, float(std::sqrt(2.0))},
    {"10^-3", 1, 0.001f},
    {"1e-3", 1, 0.001f},
    {"2.5E+4", 1, 25000},
    {"-2.5E+4", 1, -25000},
    {"1 000", 1, 1000},
    {"--3", 1, 3},
    {"5-", 1, 5},  // no equation; the plain reading takes the prefix "5"
    {"1.5", 1, 1.5f},
    {"1e-50", 1, 0},  // below the float range rounds to zero
    {"x", 0, 0},
    {"e", 0, 0},
    {"1/0", 0, 0},
    {"log(0)", 0, 0},
    {"acos(2)", 0, 0},
    {"1.2.3", 0, 0},
    {"1e5e2", 0, 0},
    {"1,5", 0, 0},
    {"", 0, 0},
    {"   ", 0, 0},
    {"???", 0, 0},
    {"1e400", 0, 0},
    {"1e39", 0, 0},   // beyond the float range: refused as an expression would be
    {"10^39", 0, 0},
    {"-", 0, 0},      // no number at all
    {"+e", 0, 0},
    {"--1e2", 0, 0},
    {"1e--2", 0, 0},
};

void CheckFieldRows()
{
    for (const FieldRow& row : kFieldRows) {
        SCOPED_TRACE(row.text);
        float value = -123.0f;
        EXPECT_EQ(EvalField(row.text, value), row.accepted);
        if (row.accepted) {
            EXPECT_EQ(value, row.value);
        }
    }
}

TEST(EvalField, AcceptsExpressionsAndPlainNumbers)
{
    CheckFieldRows();
    float value = 0;
    EXPECT_EQ(EvalField(nullptr, value), 0);
}

TEST(EvalField, ReadsTheSameUnderADecimalCommaLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const char* const commaLocales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8",
                                        "nl_NL.UTF-8", "ru_RU.UTF-8", "C.UTF-8"};
    const char* chosen = nullptr;
    for (const char* name : commaLocales) {
        if (std::setlocale(LC_ALL, name)) {
            chosen = name;
            break;
        }
    }
    RecordProperty("locale", chosen ? chosen : "C");
    CheckFieldRows();
    Equation equation("1.25*2");
    EXPECT_EQ(double(equation.Eval()), 2.5);
    std::setlocale(LC_ALL, previous.c_str());
}

} // namespace
