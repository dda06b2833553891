#include "app/tarn_view.h"

#include "document/tarn_doc.h"
#include "render/graph.h"
#include "tests/render/test_messages.h"
#include "tests/support/qt_application.h"
#include "ui/animate_plots_window.h"
#include "ui/error_bar_dialog.h"
#include "ui/graph_type_dialog.h"
#include "ui/plot_options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>

#include <gtest/gtest.h>

namespace {

struct StyledView {
    StyledView()
    {
        for (int i = 0; i < 2; ++i) {
            Plot plot;
            plot.m_xPositive = plot.m_yPositive = 1;
            plot.AddPoint(1.0f, 1.0f + float(i));
            doc.CurrentGraph().m_plots.Append(plot);
        }
    }
    QApplication& application = TestApplication(); // before the view
    CTarnDoc doc;
    RecordingMessages messages;
    CTarnView view{doc, messages};
};

} // namespace

TEST(StyleCommands, PlotOptionsSwitchesAnimationOnWithoutModifying)
{
    StyledView page;
    EXPECT_TRUE(page.view.IsCommandEnabled(CommandId::SetsPlotOptions));
    page.view.SetStyleDialogRunner([](QDialog& dialog) {
        auto& options = dynamic_cast<CPlotOptionsDialog&>(dialog);
        options.Animation()->setChecked(true);
        options.LineStyle()->setCurrentIndex(kDotted);
        options.accept();
        return int(options.result());
    });
    EXPECT_TRUE(page.view.RunPlotOptions()) << "the box switched the mode on";
    const Graph& graph = page.doc.CurrentGraph();
    EXPECT_EQ(graph.m_singlePlotOnly, 1);
    EXPECT_EQ(graph.m_singlePlotIndex, 0) << "the first set is shown after closing";
    EXPECT_EQ(graph.m_plots.Get(0).m_lineStyle, kDotted);
    EXPECT_FALSE(page.doc.IsModified());
    EXPECT_FALSE(page.view.RunPlotOptions()) << "already on";
    EXPECT_EQ(page.view.AnimateWindow(), nullptr) << "the dialog alone opens no window";

    // Through the command, switching the mode on brings up the slider.
    page.doc.CurrentGraph().m_singlePlotOnly = 0;
    EXPECT_TRUE(page.view.OnCommand(CommandId::SetsPlotOptions));
    ASSERT_NE(page.view.AnimateWindow(), nullptr);
    page.view.AnimateWindow()->close();

    // Cancel closes too, and the index is still checked.
    page.doc.CurrentGraph().m_singlePlotIndex = -1;
    page.view.SetStyleDialogRunner([](QDialog&) { return int(QDialog::Rejected); });
    EXPECT_TRUE(page.view.OnCommand(CommandId::SetsPlotOptions));
    EXPECT_EQ(graph.m_singlePlotIndex, 0);
}

TEST(StyleCommands, ErrorBarsAndGraphTypeMarkTheDocumentModified)
{
    StyledView page;
    page.view.SetStyleDialogRunner([](QDialog& dialog) {
        auto& bars = dynamic_cast<CErrorBarDialog&>(dialog);
        bars.HatSize()->setCurrentIndex(9);
        bars.accept();
        return int(bars.result());
    });
    EXPECT_TRUE(page.view.OnCommand(CommandId::SetsErrorBars));
    EXPECT_EQ(page.doc.CurrentGraph().m_plots.Get(0).m_errorBarHatSize, 10);
    EXPECT_TRUE(page.doc.IsModified());

    page.doc.SetModifiedFlag(false);
    page.view.SetStyleDialogRunner([](QDialog& dialog) {
        auto& type = dynamic_cast<CGraphTypeDialog&>(dialog);
        EXPECT_EQ(type.Item(), 0);
        type.List()->setCurrentRow(3);
        return int(QDialog::Accepted);
    });
    EXPECT_TRUE(page.view.OnCommand(CommandId::GraphType));
    EXPECT_EQ(page.doc.CurrentGraph().m_xLog, 1);
    EXPECT_EQ(page.doc.CurrentGraph().m_yLog, 1);
    EXPECT_TRUE(page.doc.IsModified());
    EXPECT_TRUE(page.messages.shown.empty());
}
