#include "document/function_history.h"

#include <gtest/gtest.h>

namespace {

FunctionHistoryEntry Entry(const char* formula, const char* points = "100", const char* min = "0",
                           const char* max = "1", const char* formula2 = "")
{
    return {formula, formula2, points, min, max};
}

std::vector<std::string> Formulas(const FunctionHistory& history)
{
    std::vector<std::string> formulas;
    for (const FunctionHistoryEntry& entry : history.m_entries)
        formulas.push_back(entry.formula + (entry.formula2.empty() ? "" : "|" + entry.formula2));
    return formulas;
}

} // namespace

TEST(FunctionHistory, SameEntries)
{
    struct Row {
        FunctionHistoryEntry a, b;
        bool same;
        const char* why;
    };
    const Row rows[] = {
        {Entry("x"), Entry("x"), true, "all equal"},
        {Entry("x"), Entry("x", "50"), false, "points differ"},
        {Entry("x"), Entry("x", "100", "-1"), false, "minimum differs"},
        {Entry("x"), Entry("x", "100", "0", "2"), false, "maximum differs"},
        {Entry("x"), Entry("x^2"), false, "formulas differ"},
        {Entry(""), Entry("", "5", "-3", "3"), true, "empty formulas are always the same"},
        {Entry("", "100", "0", "1", "t"), Entry("", "5", "0", "1", "t"), false, "y(t) is not empty"},
        {Entry("t", "100", "0", "1", "t"), Entry("t", "100", "0", "1", "2*t"), false, "y(t) differs"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(FunctionHistory::Same(row.a, row.b), row.same);
        EXPECT_EQ(FunctionHistory::Same(row.b, row.a), row.same);
    }
}

TEST(FunctionHistory, EntryZeroIsTheOneBeingEdited)
{
    FunctionHistory history;
    history.AddOnOpening(Entry(""));
    EXPECT_EQ(Formulas(history), std::vector<std::string>{""});
    // The editor plots sin(x): its blank entry gives way to the plotted one.
    history.AddAfterPlot(Entry("sin(x)"));
    EXPECT_EQ(Formulas(history), std::vector<std::string>{"sin(x)"});
    // Opened again with a blank formula: a new entry in front.
    history.AddOnOpening(Entry("", "100", "-5", "5"));
    EXPECT_EQ(Formulas(history), (std::vector<std::string>{"", "sin(x)"}));
    history.AddAfterPlot(Entry("cos(x)"));
    EXPECT_EQ(Formulas(history), (std::vector<std::string>{"cos(x)", "sin(x)"}));
    // A blank opening matches no plotted entry, and plotting an old formula again keeps one copy.
    history.AddOnOpening(Entry(""));
    history.AddAfterPlot(Entry("sin(x)"));
    EXPECT_EQ(Formulas(history), (std::vector<std::string>{"cos(x)", "sin(x)"}));
    // An opening that matches an entry adds nothing.
    history.AddOnOpening(Entry("cos(x)"));
    EXPECT_EQ(history.Count(), 2);
}
