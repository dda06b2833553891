#include "analysis/set_selection.h"
#include "tests/app/command_fixture.h"
#include "ui/curve_fit_dialog.h"
#include "ui/equation_editor_dialog.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>

TEST(FunctionCommands, EachOpensItsDialogFromTheView)
{
    CommandFixture fixture;
    ExpectEachOpensItsDialog(fixture, {{CommandId::DataFunction, "Equation Editor"},
                                       {CommandId::DataParametric, "Parametric Equation Editor"},
                                       {CommandId::DataPolar, "Polar Equation Editor"},
                                       {CommandId::DataNonLinearFit, "Non-linear Curve Fit"}});
}

TEST(FunctionCommands, PlottedFunctionMarksTheDocumentModified)
{
    CommandFixture fixture;
    auto& [doc, messages, view] = fixture;
    WhenModal<CEquationEditorDialog>([](CEquationEditorDialog& dialog) {
        dialog.Formula()->setPlainText("x^2");
        dialog.accept();
    });
    EXPECT_TRUE(view.OnCommand(CommandId::DataFunction));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(doc.CurrentGraph().m_plots.Count(), 1);
    EXPECT_TRUE(doc.IsModified());
}

TEST(FunctionCommands, TheViewKeepsTheFitHistory)
{
    TestApplication();
    CTarnDoc doc;
    RecordingMessages messages;
    Plot plot;
    plot.AddPoint(1, 1);
    plot.AddPoint(0, 0);
    AppendResultSet(doc.CurrentGraph(), plot);
    CTarnView view(doc, messages);
    WhenModal<CCurveFitDialog>([](CCurveFitDialog& dialog) {
        dialog.Model()->setText("a*x");
        dialog.reject();
    });
    view.OnCommand(CommandId::DataNonLinearFit);
    EXPECT_EQ(view.FitHistory(), std::vector<std::string>{""});
    int tabs = 0;
    view.FitHistory().push_back("a*x");
    WhenModal<CCurveFitDialog>([&tabs](CCurveFitDialog& dialog) {
        tabs = dialog.Tabs()->count();
        dialog.reject();
    });
    view.OnCommand(CommandId::DataNonLinearFit);
    EXPECT_EQ(tabs, 2) << "the second opening shows both texts";
    EXPECT_EQ(doc.CurrentGraph().m_showCurve, 0);
}
