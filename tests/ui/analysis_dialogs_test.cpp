#include "ui/difference_dialog.h"
#include "ui/histogram_dialog.h"
#include "ui/integration_dialog.h"
#include "ui/plot_list_box.h"
#include "ui/statistics_dialog.h"

#include "document/tarn_doc.h"
#include "tests/render/test_messages.h"
#include "tests/support/qt_application.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// A page whose current graph holds an active set "a" (x squared at 0 .. 3),
// an inactive set and an active set "c" (1, 1), (2, 2), (3, 3).
struct Page {
    Page()
    {
        TestApplication();
        Add("a", {{3, 9}, {2, 4}, {1, 1}, {0, 0}});
        Add("hidden", {{1, 1}}).m_visible = 0;
        Add("c", {{3, 3}, {2, 2}, {1, 1}});
    }
    Plot& Add(const std::string& name, const std::vector<PlotPoint>& points)
    {
        Plot plot;
        plot.m_info = name;
        plot.m_xPositive = 1;
        for (const PlotPoint& point : points)
            plot.AddPoint(point.x, point.y);
        Graph& graph = doc.CurrentGraph();
        graph.m_plots.Append(plot);
        return graph.m_plots.Get(graph.m_plots.Count() - 1);
    }
    Graph& graph() { return doc.CurrentGraph(); }
    CTarnDoc doc;
    RecordingMessages messages;
};

QStringList Entries(const CPlotListBox* list)
{
    QStringList entries;
    for (int row = 0; row < list->count(); ++row)
        entries << list->item(row)->text();
    return entries;
}

} // namespace

TEST(PlotListBox, ListsActiveSetsAndFollowsTheChoice)
{
    Page page;
    CPlotListBox list(page.doc, page.messages);
    EXPECT_EQ(Entries(&list), (QStringList{"Set #0 (N = 4) \"a\"", "Set #2 (N = 3) \"c\""}));
    EXPECT_EQ(list.selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_TRUE(list.item(0)->isSelected());
    EXPECT_EQ(page.graph().m_plots.Get(0).m_selected, 1);
    list.item(1)->setSelected(true);
    EXPECT_EQ(page.graph().m_plots.Get(2).m_selected, 1) << "a click is copied at once";
    list.item(0)->setSelected(false);
    EXPECT_EQ(page.graph().m_plots.Get(0).m_selected, 0);
}

TEST(StatisticsDialog, ApplyReportsAndStaysOpen)
{
    Page page;
    CStatisticsDialog dialog(page.doc, page.messages);
    EXPECT_EQ(dialog.windowTitle(), "Plot Statistics");
    EXPECT_EQ(dialog.ApplyButton()->text(), "Apply");
    EXPECT_EQ(dialog.CloseButton()->text(), "Close");
    dialog.List()->ChooseRows({1});
    dialog.ApplyButton()->click();
    ASSERT_EQ(page.messages.shown.size(), 1u);
    EXPECT_EQ(page.messages.shown[0].rfind("Plot Statistics Results: ******* Set #2 (N = 3) \"c\" *******\n"
                                           "<x> = 2\n<x^2> = 4.66667\nStdDev(x) = 1\n", 0),
              0u)
        << page.messages.shown[0];
    dialog.List()->ChooseRows({});
    dialog.ApplyButton()->click();
    EXPECT_EQ(page.messages.shown.back(), "No Plots have been selected!");
    EXPECT_EQ(dialog.result(), 0) << "Apply does not close the dialog";
}

TEST(StatisticsDialog, AGraphWithoutActiveSetsListsNothing)
{
    Page page;
    for (int i = 0; i < page.graph().m_plots.Count(); ++i)
        page.graph().m_plots.Get(i).m_visible = 0;
    CStatisticsDialog dialog(page.doc, page.messages);
    EXPECT_EQ(dialog.List()->count(), 0);
    dialog.Apply();
    EXPECT_EQ(page.messages.shown, std::vector<std::string>{"No Plots have been selected!"});
}

TEST(HistogramDialog, DefaultsAndModes)
{
    Page page;
    ArrangeRequest two;
    two.columns = "2";
    ASSERT_TRUE(page.doc.Arrange(two, page.messages));
    CHistogramDialog dialog(page.doc, page.messages);
    EXPECT_EQ(dialog.windowTitle(), "Histogram");
    EXPECT_TRUE(dialog.ByWidth()->isChecked());
    EXPECT_TRUE(dialog.BinWidth()->isEnabled());
    EXPECT_FALSE(dialog.BinCount()->isEnabled());
    EXPECT_FALSE(dialog.Normalize()->isChecked());
    EXPECT_TRUE(dialog.Align()->isChecked());
    EXPECT_EQ(dialog.StartValue()->text(), "");
    ASSERT_EQ(dialog.TargetGraph()->count(), 3);
    EXPECT_EQ(dialog.TargetGraph()->itemText(0), "Current");
    EXPECT_EQ(dialog.TargetGraph()->itemText(2), "1");
    dialog.ByCount()->setChecked(true);
    EXPECT_FALSE(dialog.BinWidth()->isEnabled());
    EXPECT_TRUE(dialog.BinCount()->isEnabled());
    dialog.TargetGraph()->setCurrentIndex(2);
    EXPECT_EQ(dialog.Request().targetGraph, 1);
    EXPECT_TRUE(dialog.Request().byBinCount);
}

TEST(HistogramDialog, OkClosesOnlyWhenTheHistogramsWereMade)
{
    Page page;
    CHistogramDialog dialog(page.doc, page.messages);
    dialog.accept();
    EXPECT_EQ(page.messages.shown, std::vector<std::string>{"Invalid end value!"});
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    dialog.EndValue()->setText("10");
    dialog.StartValue()->setText("2*0");
    dialog.BinWidth()->setText("5");
    dialog.Normalize()->setChecked(true);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(page.graph().m_plots.Count(), 4);
    const Plot& result = page.graph().m_plots.Get(3);
    EXPECT_EQ(result.m_info, "Histogram of Set 0");
    EXPECT_EQ(result.PointCount(), 3);
    EXPECT_FLOAT_EQ(result.m_points.begin()->y, 0.15f) << "three of four y in bin 0, area 1";
}

TEST(DifferenceDialog, DefaultsAndChecks)
{
    Page page;
    CDifferenceDialog dialog(page.doc, page.messages);
    EXPECT_EQ(dialog.windowTitle(), "Differentiation (discrete difference)");
    EXPECT_EQ(dialog.Method()->currentText(), "3 point");
    EXPECT_EQ(dialog.Method()->itemText(1), "5 point");
    EXPECT_TRUE(dialog.Centered()->isChecked());
    EXPECT_EQ(dialog.TargetGraph()->currentText(), "Current");

    dialog.Method()->setCurrentIndex(1);
    dialog.accept();
    EXPECT_EQ(page.messages.shown.back(),
              "The five point discrete derivative is currently unsupported by this version. Sorry!");
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(QApplication::overrideCursor()) << "the wait cursor is gone again";

    dialog.Method()->setCurrentIndex(0);
    dialog.Right()->setChecked(true);
    dialog.List()->ChooseRows({0, 1});
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(QApplication::overrideCursor());
    ASSERT_EQ(page.graph().m_plots.Count(), 5);
    EXPECT_EQ(page.graph().m_plots.Get(3).m_info, "Derivative of Set 0");
    EXPECT_EQ(page.graph().m_plots.Get(4).m_info, "Derivative of Set 2");
    EXPECT_EQ(page.graph().m_plots.Get(3).m_lineColor, 0x0000FFu) << "red after black";
    EXPECT_EQ(page.graph().m_plots.Get(4).PointCount(), 1);
}

TEST(IntegrationDialog, LimitsAndReport)
{
    Page page;
    CIntegrationDialog dialog(page.doc, page.messages);
    EXPECT_EQ(dialog.windowTitle(), "Integratation");
    EXPECT_TRUE(dialog.Auto()->isChecked());
    EXPECT_EQ(dialog.Auto()->text(), " Auto");
    EXPECT_EQ(dialog.From()->text(), "0");
    EXPECT_FALSE(dialog.From()->isEnabled());
    EXPECT_FALSE(dialog.To()->isEnabled());
    EXPECT_EQ(dialog.CancelButton()->text(), "Cancel");

    dialog.ApplyButton()->click();
    ASSERT_EQ(page.messages.shown.size(), 1u);
    EXPECT_EQ(page.messages.shown[0],
              "Integration results: a\r\nIntegration limits [0, 3]\r\nIntegral = 9.5\r\n\r\n");

    dialog.UserDefined()->setChecked(true);
    EXPECT_TRUE(dialog.From()->isEnabled());
    dialog.From()->setText("3");
    dialog.To()->setText("two");
    dialog.Apply();
    EXPECT_EQ(page.messages.shown.back(), "Please enter a number.");
    dialog.To()->setText("1");
    dialog.Apply();
    EXPECT_EQ(page.messages.shown.back(),
              "Integration results: a\r\nIntegration limits [3, 1]\r\nIntegral = -9\r\n\r\n");
    EXPECT_EQ(dialog.result(), 0);
}
