#include "ui/curve_fit_dialog.h"

#include "analysis/set_selection.h"
#include "document/tarn_doc.h"
#include "render/graph.h"
#include "tests/render/test_messages.h"
#include "tests/support/qt_application.h"
#include "ui/curve_fit_options_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QEventLoop>
#include <QSlider>
#include <QTabBar>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>

#include <cmath>

namespace {

// A page whose current graph holds the set (0, 1), (1, 3), (2, 5) and an
// inactive set.
struct FitPage {
    FitPage()
    {
        TestApplication();
        Add("line", {{0, 1}, {1, 3}, {2, 5}});
        Add("hidden", {{1, 1}}).m_visible = 0;
    }
    Plot& Add(const std::string& name, const std::vector<PlotPoint>& points)
    {
        Plot plot;
        plot.m_info = name;
        for (auto point = points.rbegin(); point != points.rend(); ++point)
            plot.AddPoint(point->x, point->y);
        Graph& graph = doc.CurrentGraph();
        const int index = AppendResultSet(graph, plot);
        graph.AutoScale(false, messages);
        return graph.m_plots.Get(index);
    }
    CTarnDoc doc;
    RecordingMessages messages;
    std::vector<std::string> history;
};

QStringList Row(const QTreeWidget* list, int row)
{
    QStringList texts;
    const QTreeWidgetItem* item = list->topLevelItem(row);
    for (int column = 0; item && column < 4; ++column)
        texts << item->text(column);
    return texts;
}

// Which controls are enabled, in the order of the stage table.
std::vector<bool> Enabled(const CCurveFitDialog& dialog)
{
    return {dialog.Model()->isEnabled(),     dialog.Tabs()->isEnabled(),
            dialog.Parameters()->isEnabled(), dialog.InitEdit()->isEnabled(),
            dialog.Slider()->isEnabled(),    dialog.FitButton()->isEnabled(),
            dialog.SaveButton()->isEnabled(), dialog.PrevButton()->isEnabled(),
            dialog.NextButton()->isEnabled()};
}

// Types a*x+b with a = b = 1 and goes to stage 2.
void ToAdjustStage(CCurveFitDialog& dialog, const char* a = "1", const char* b = "1")
{
    dialog.Model()->setText("a*x+b");
    dialog.NextButton()->click();
    dialog.InitEdit()->setText(a);
    dialog.Parameters()->setCurrentItem(dialog.Parameters()->topLevelItem(1));
    dialog.InitEdit()->setText(b);
    dialog.NextButton()->click();
}

// Counts the emissions of a signal and waits for the next one.
class Spy {
public:
    template <class Signal>
    Spy(CCurveFitDialog* dialog, Signal signal)
    {
        QObject::connect(dialog, signal, &m_loop, [this] {
            ++m_count;
            m_loop.quit();
        });
    }
    int count() const { return m_count; }
    // Runs the event loop until the signal comes (true) or `ms` have passed.
    bool wait(int ms)
    {
        const int before = m_count;
        QTimer::singleShot(ms, &m_loop, &QEventLoop::quit);
        m_loop.exec();
        return m_count > before;
    }

private:
    QEventLoop m_loop;
    int m_count = 0;
};

} // namespace

TEST(CurveFitDialog, OpensOnTheFirstActiveSetAtStageZero)
{
    FitPage page;
    CCurveFitDialog dialog(page.doc, page.history, page.messages);
    EXPECT_EQ(dialog.windowTitle(), "Non-linear Curve Fit");
    ASSERT_EQ(dialog.Sets()->count(), 1);
    EXPECT_EQ(dialog.Sets()->item(0)->text(), "Set #0 (N = 3) \"line\"");
    EXPECT_TRUE(dialog.Sets()->item(0)->isSelected());
    EXPECT_EQ(dialog.Fit().m_setIndex, 0);
    EXPECT_EQ(page.history, std::vector<std::string>{""});
    EXPECT_EQ(dialog.Tabs()->count(), 1);
    EXPECT_EQ(dialog.Tabs()->tabText(0), "Eq 1");
    EXPECT_EQ(Row(dialog.Parameters(), -1), QStringList{});
    QStringList headers;
    for (int column = 0; column < 4; ++column)
        headers << dialog.Parameters()->headerItem()->text(column);
    EXPECT_EQ(headers, (QStringList{"name", "value", "min", "max"}));
    for (QPushButton* button : {dialog.PrevButton(), dialog.NextButton(), dialog.FitButton(),
                                dialog.SaveButton(), dialog.OptionsButton(), dialog.CloseButton()})
        EXPECT_FALSE(button->text().isEmpty());
    EXPECT_EQ(dialog.OptionsButton()->text(), "Options ...");
    EXPECT_EQ(Enabled(dialog), (std::vector<bool>{true, true, false, false, false, false, false, false, true}));
    EXPECT_TRUE(page.messages.shown.empty());
}

TEST(CurveFitDialog, StagesEnableTheirControls)
{
    FitPage page;
    CCurveFitDialog dialog(page.doc, page.history, page.messages);
    dialog.Model()->setText("x^2");
    dialog.NextButton()->click();
    EXPECT_EQ(page.messages.shown, std::vector<std::string>{"Please define at least a single parameter to fit!"});
    EXPECT_EQ(dialog.Fit().m_stage, kFitEquation);

    dialog.Model()->setText("a*x+b");
    dialog.NextButton()->click();
    EXPECT_EQ(dialog.Fit().m_stage, kFitEstimates);
    EXPECT_EQ(Enabled(dialog), (std::vector<bool>{false, false, true, true, false, false, false, true, true}));
    EXPECT_EQ(Row(dialog.Parameters(), 0), (QStringList{"a", "???", "---", "---"}));
    EXPECT_EQ(Row(dialog.Parameters(), 1), (QStringList{"b", "???", "---", "---"}));
    EXPECT_EQ(dialog.InitEdit()->text(), "???");
    EXPECT_EQ(dialog.MinEdit()->text(), "---");

    // A click stores the edits into the row left.
    dialog.InitEdit()->setText("2");
    dialog.MaxEdit()->setText("1");
    dialog.Parameters()->setCurrentItem(dialog.Parameters()->topLevelItem(1));
    EXPECT_EQ(Row(dialog.Parameters(), 0), (QStringList{"a", "2", "---", "1"}));
    EXPECT_EQ(dialog.InitEdit()->text(), "???");
    dialog.InitEdit()->setText("1");
    dialog.NextButton()->click();
    EXPECT_EQ(page.messages.shown.back(), "Initial estimate for 'a' is above upper bound");
    EXPECT_EQ(dialog.Fit().m_stage, kFitEstimates);

    dialog.Parameters()->setCurrentItem(dialog.Parameters()->topLevelItem(0));
    dialog.MaxEdit()->setText("---");
    dialog.NextButton()->click();
    EXPECT_EQ(dialog.Fit().m_stage, kFitAdjust);
    EXPECT_EQ(Enabled(dialog), (std::vector<bool>{false, false, true, false, true, true, true, true, false}));
    EXPECT_EQ(dialog.ChiSquare()->text(), "0") << "2x + 1 passes through every point";

    dialog.PrevButton()->click();
    EXPECT_EQ(dialog.Fit().m_stage, kFitEstimates);
    dialog.PrevButton()->click();
    dialog.PrevButton()->click();
    EXPECT_EQ(dialog.Fit().m_stage, kFitEquation);
}

TEST(CurveFitDialog, SliderRedrawsTheModelAndItsChiSquare)
{
    FitPage page;
    CCurveFitDialog dialog(page.doc, page.history, page.messages);
    Spy redraws(&dialog, &CCurveFitDialog::Redraw);
    ToAdjustStage(dialog, "2", "1");
    ASSERT_EQ(dialog.Fit().m_stage, kFitAdjust);
    EXPECT_EQ(page.doc.CurrentGraph().m_showCurve, 1);
    dialog.Parameters()->setCurrentItem(dialog.Parameters()->topLevelItem(0));
    EXPECT_EQ(dialog.Slider()->value(), 50);
    const int before = redraws.count();
    dialog.Slider()->setValue(100);
    EXPECT_EQ(Row(dialog.Parameters(), 0), (QStringList{"a", "3", "---", "---"}));
    EXPECT_EQ(dialog.InitEdit()->text(), "3");
    EXPECT_EQ(dialog.ChiSquare()->text(), "5");
    EXPECT_GT(redraws.count(), before);
    double y = 0;
    ASSERT_TRUE(page.doc.CurrentGraph().m_curve->Evaluate(1.0, y));
    EXPECT_EQ(y, 4.0) << "the overlay curve is the model as it stands";
}

TEST(CurveFitDialog, FitRunsOnAWorkerAndReportsOnTheDialogThread)
{
    FitPage page;
    CCurveFitDialog dialog(page.doc, page.history, page.messages);
    ToAdjustStage(dialog);
    Spy finished(&dialog, &CCurveFitDialog::FitFinished);
    bool redrawnElsewhere = false;
    QObject::connect(&dialog, &CCurveFitDialog::Redraw, [&] {
        redrawnElsewhere = redrawnElsewhere || QThread::currentThread() != dialog.thread();
    });
    dialog.FitButton()->click();
    EXPECT_EQ(dialog.Fit().m_stage, kFitRunning);
    EXPECT_EQ(Enabled(dialog), std::vector<bool>(9, false)) << "every fit control is disabled";
    EXPECT_TRUE(dialog.CloseButton()->isEnabled());
    EXPECT_EQ(page.history, (std::vector<std::string>{"", "a*x+b"}));
    EXPECT_EQ(dialog.Tabs()->count(), 2);
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_FALSE(redrawnElsewhere);
    EXPECT_FALSE(dialog.Fitting());
    EXPECT_EQ(dialog.Fit().m_stage, kFitAdjust);
    EXPECT_EQ(Row(dialog.Parameters(), 0)[1], "2");
    EXPECT_EQ(Row(dialog.Parameters(), 1)[1], "1");
    ASSERT_EQ(page.messages.shown.size(), 1u);
    EXPECT_EQ(page.messages.shown[0].rfind("Curve Fit Results: Performed a 2 parameter", 0), 0u);
    EXPECT_TRUE(dialog.FitButton()->isEnabled());

    Spy changed(&dialog, &CCurveFitDialog::Changed);
    dialog.SaveButton()->click();
    EXPECT_EQ(changed.count(), 1);
    ASSERT_EQ(page.doc.CurrentGraph().m_plots.Count(), 3);
    EXPECT_EQ(page.doc.CurrentGraph().m_plots.Get(2).m_info, "Curve fit to plot 0");
    // The check boxes beside it add the residuals and the confidence band too.
    ASSERT_TRUE(dialog.SaveResidualsBox()->isEnabled() && dialog.SaveBandBox()->isEnabled());
    dialog.SaveResidualsBox()->click();
    dialog.SaveBandBox()->click();
    dialog.SaveButton()->click();
    EXPECT_EQ(changed.count(), 2);
    ASSERT_EQ(page.doc.CurrentGraph().m_plots.Count(), 7);
    EXPECT_EQ(page.doc.CurrentGraph().m_plots.Get(4).m_info, "Residuals of plot 0");
    EXPECT_EQ(page.doc.CurrentGraph().m_plots.Get(6).m_info, "Upper 95% confidence band of plot 0");
}

TEST(CurveFitDialog, CloseDuringAFitStopsItWithoutAReport)
{
    FitPage page;
    std::vector<PlotPoint> many;
    for (int i = 0; i < 400000; ++i) {
        const float x = float(i) * 1e-5f;
        many.push_back({x, 3.0f * std::exp(-0.5f * x) + 1.0f});
    }
    page.Add("many", many);
    CCurveFitDialog dialog(page.doc, page.history, page.messages);
    dialog.Sets()->setCurrentRow(1);
    dialog.Model()->setText("a*exp(-b*x)+c");
    dialog.NextButton()->click();
    for (int row = 0; row < 3; ++row) {
        dialog.Parameters()->setCurrentItem(dialog.Parameters()->topLevelItem(row));
        dialog.InitEdit()->setText(row == 2 ? "0" : "1");
    }
    dialog.NextButton()->click();
    ASSERT_EQ(dialog.Fit().m_stage, kFitAdjust);
    Spy finished(&dialog, &CCurveFitDialog::FitFinished);
    dialog.FitButton()->click();
    dialog.CloseButton()->click();
    EXPECT_TRUE(dialog.Fitting() || finished.count() == 0) << "Close only asks the fit to stop";
    ASSERT_TRUE(finished.count() > 0 || finished.wait(20000));
    EXPECT_TRUE(page.messages.shown.empty()) << "no report";
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(page.doc.CurrentGraph().m_showCurve, 0);
}

TEST(CurveFitDialog, CloseSwitchesTheCurveOff)
{
    FitPage page;
    CCurveFitDialog dialog(page.doc, page.history, page.messages);
    ToAdjustStage(dialog);
    EXPECT_EQ(page.doc.CurrentGraph().m_showCurve, 1);
    dialog.reject();
    EXPECT_EQ(page.doc.CurrentGraph().m_showCurve, 0);
}

TEST(CurveFitDialog, HistoryTabsLoadTheirText)
{
    FitPage page;
    page.history = {"", "a*x", "a*x+b"};
    CCurveFitDialog dialog(page.doc, page.history, page.messages);
    EXPECT_EQ(dialog.Tabs()->count(), 3);
    dialog.Model()->setText("c*x");
    dialog.Tabs()->setCurrentIndex(2);
    EXPECT_EQ(dialog.Model()->text(), "a*x+b");
    EXPECT_EQ(page.history[0], "c*x") << "the text went into the tab left";
}

TEST(CurveFitDialog, NoSetToChoose)
{
    TestApplication();
    CTarnDoc doc;
    RecordingMessages messages;
    std::vector<std::string> history;
    CCurveFitDialog dialog(doc, history, messages);
    EXPECT_EQ(dialog.Sets()->count(), 0);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Please select one data set to fit"});
}

TEST(CurveFitOptionsDialog, ChecksAndKeepsTheOptions)
{
    TestApplication();
    RecordingMessages messages;
    CCurveFitOptionsDialog dialog(FitOptions{}, messages);
    EXPECT_EQ(dialog.windowTitle(), "Curve Fit Options");
    EXPECT_EQ(dialog.Algorithm()->count(), 1);
    EXPECT_EQ(dialog.Algorithm()->item(0)->text(), "Lev-Marq");
    EXPECT_TRUE(dialog.Algorithm()->item(0)->isSelected());
    EXPECT_EQ(dialog.MaxIterations()->text(), "1000");
    EXPECT_EQ(dialog.Tolerance()->text(), "1e-06");
    EXPECT_EQ(dialog.Weight()->text(), "Weight points according to y error bars");
    EXPECT_EQ(dialog.Simplify()->text(), "Simplify functions when possible");
    dialog.MaxIterations()->setText("0");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Invalid Max Iterations ( < 0)"});
    dialog.MaxIterations()->setText("1e3");
    dialog.Tolerance()->setText("1e-4");
    dialog.Weight()->setChecked(false);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Options().maxIterations, 1000);
    EXPECT_EQ(dialog.Options().tolerance, 1e-4f);
    EXPECT_EQ(dialog.Options().weight, 0);
}

TEST(CurveFitDialog, OptionsButtonReplacesTheOptions)
{
    FitPage page;
    CCurveFitDialog dialog(page.doc, page.history, page.messages);
    QTimer::singleShot(0, [] {
        if (auto* options = qobject_cast<CCurveFitOptionsDialog*>(QApplication::activeModalWidget())) {
            options->MaxIterations()->setText("25");
            options->accept();
        }
    });
    dialog.OptionsButton()->click();
    EXPECT_EQ(dialog.Fit().m_maxIterations, 25);
}
