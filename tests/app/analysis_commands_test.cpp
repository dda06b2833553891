#include "tests/app/command_fixture.h"

TEST(AnalysisCommands, EachOpensItsDialogFromTheView)
{
    CommandFixture fixture;
    ExpectEachOpensItsDialog(fixture, {{CommandId::DataStatistics, "Plot Statistics"},
                                       {CommandId::DataHistogram, "Histogram"},
                                       {CommandId::DataDifferences, "Differentiation (discrete difference)"},
                                       {CommandId::DataIntegration, "Integratation"}});
}
