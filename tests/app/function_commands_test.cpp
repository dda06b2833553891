#include "app/tarn_view.h"

#include "analysis/set_selection.h"
#include "document/tarn_doc.h"
#include "tests/render/test_messages.h"
#include "tests/support/qt_application.h"
#include "ui/curve_fit_dialog.h"
#include "ui/equation_editor_dialog.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTimer>

TEST(FunctionCommands, EachOpensItsDialogFromTheView)
{
    TestApplication();
    CTarnDoc doc;
    RecordingMessages messages;
    CTarnView view(doc, messages);
    struct Row {
        CommandId command;
        const char* caption;
    };
    const Row rows[] = {
        {CommandId::DataFunction, "Equation Editor"},
        {CommandId::DataParametric, "Parametric Equation Editor"},
        {CommandId::DataPolar, "Polar Equation Editor"},
        {CommandId::DataNonLinearFit, "Non-linear Curve Fit"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caption);
        EXPECT_TRUE(view.IsCommandEnabled(row.command));
        QString shown;
        QTimer::singleShot(0, [&shown] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                shown = dialog->windowTitle();
                dialog->reject();
            }
        });
        EXPECT_TRUE(view.OnCommand(row.command));
        EXPECT_EQ(shown, row.caption);
        EXPECT_FALSE(doc.IsModified()) << "closing the dialog changes nothing";
    }
}

TEST(FunctionCommands, PlottedFunctionMarksTheDocumentModified)
{
    TestApplication();
    CTarnDoc doc;
    RecordingMessages messages;
    CTarnView view(doc, messages);
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<CEquationEditorDialog*>(QApplication::activeModalWidget())) {
            dialog->Formula()->setPlainText("x^2");
            dialog->accept();
        }
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
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<CCurveFitDialog*>(QApplication::activeModalWidget())) {
            dialog->Model()->setText("a*x");
            dialog->reject();
        }
    });
    view.OnCommand(CommandId::DataNonLinearFit);
    EXPECT_EQ(view.FitHistory(), std::vector<std::string>{""});
    int tabs = 0;
    view.FitHistory().push_back("a*x");
    QTimer::singleShot(0, [&tabs] {
        if (auto* dialog = qobject_cast<CCurveFitDialog*>(QApplication::activeModalWidget())) {
            tabs = dialog->Tabs()->count();
            dialog->reject();
        }
    });
    view.OnCommand(CommandId::DataNonLinearFit);
    EXPECT_EQ(tabs, 2) << "the second opening shows both texts";
    EXPECT_EQ(doc.CurrentGraph().m_showCurve, 0);
}
