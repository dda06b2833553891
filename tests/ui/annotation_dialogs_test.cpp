#include "ui/color_combo.h"
#include "ui/legend_dialog.h"
#include "ui/lines_dialog.h"
#include "ui/text_dialog.h"

#include "render/graph.h"
#include "tests/render/test_messages.h"
#include "tests/support/qt_application.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTextEdit>

namespace {

Plot Set(const char* label, bool active = true)
{
    Plot plot;
    plot.AddPoint(1, 1);
    plot.m_label.m_text = label;
    plot.m_visible = active ? 1 : 0;
    return plot;
}

} // namespace

TEST(TextDialog, OpensOnTheTextAndRefusesOrientationsOutside0To360)
{
    TestApplication();
    RecordingMessages messages;
    Graph graph;
    CTextDialog dialog("Y Axis", graph.m_yLabel, messages);
    EXPECT_EQ(dialog.windowTitle(), "Y Axis");
    EXPECT_EQ(dialog.TextEdit()->toPlainText(), "Y Axis");
    EXPECT_EQ(dialog.OrientationEdit()->text(), "90");

    dialog.OrientationEdit()->setText("361");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Please enter a valid orientation!"});

    dialog.SetFontChooser([](QWidget*, LogFont& font, Color& color) {
        font.height = -30;
        font.weight = 700;
        color = 0x0000FF;
        return true;
    });
    dialog.ChooseFont();
    dialog.TextEdit()->setPlainText("$\\theta$ (rad)");
    dialog.OrientationEdit()->setText("45");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    dialog.ApplyTo(graph.m_yLabel);
    EXPECT_EQ(graph.m_yLabel.m_text, "$\\theta$ (rad)");
    EXPECT_EQ(graph.m_yLabel.m_font.escapement, 450);
    EXPECT_EQ(graph.m_yLabel.m_font.height, -30);
    EXPECT_EQ(graph.m_yLabel.m_font.weight, 700);
    EXPECT_EQ(graph.m_yLabel.m_color, 0x0000FFu);
}

TEST(LinesDialog, AddsAndDeletesLinesWithTheirMessages)
{
    TestApplication();
    RecordingMessages messages;
    Graph graph;
    graph.m_refLines.Append({0, 0, 3.0f});
    graph.m_yLog = 1;
    CLinesDialog dialog(graph, messages);
    EXPECT_EQ(dialog.windowTitle(), "Lines");
    ASSERT_EQ(dialog.List()->count(), 1);
    EXPECT_EQ(dialog.List()->item(0)->text(), "x = 3");

    RefLine next{1, 2, 0.0f};
    dialog.SetLineAsker([&next](QWidget*, RefLine& line) {
        line = next;
        return true;
    });
    dialog.Add();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Can't plot slected line on a log scale!"});
    EXPECT_EQ(dialog.List()->count(), 1);
    next = {1, 2, 10.0f};
    dialog.Add();
    ASSERT_EQ(dialog.List()->count(), 2);
    EXPECT_EQ(dialog.List()->item(1)->text(), "y = 10");
    EXPECT_EQ(graph.m_refLines.Count(), 2);

    messages.shown.clear();
    dialog.List()->clearSelection();
    dialog.Delete();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Please select a line to delete!"});
    dialog.List()->setCurrentRow(0);
    dialog.Delete();
    ASSERT_EQ(graph.m_refLines.Count(), 1);
    EXPECT_EQ(graph.m_refLines.Get(0).m_value, 10.0f);
    EXPECT_EQ(dialog.List()->item(0)->text(), "y = 10");
}

TEST(LinePropertiesDialog, OpensOnYSolidZeroAndNeedsANumber)
{
    TestApplication();
    RecordingMessages messages;
    CLinePropertiesDialog dialog(messages);
    EXPECT_EQ(dialog.OrientationCombo()->currentText(), "Y");
    EXPECT_EQ(dialog.TypeCombo()->currentText(), "Solid");
    EXPECT_EQ(dialog.ValueEdit()->text(), "0");
    for (const char* bad : {"abc", "", "1e99", "2,5"}) {
        SCOPED_TRACE(bad);
        messages.shown.clear();
        dialog.ValueEdit()->setText(bad);
        dialog.accept();
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(messages.shown, std::vector<std::string>{"Please enter a number."});
    }
    dialog.ValueEdit()->setText(" -2.5 ");
    dialog.OrientationCombo()->setCurrentIndex(0);
    dialog.TypeCombo()->setCurrentText("Dash-Dot");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Line().m_orientation, 0);
    EXPECT_EQ(dialog.Line().m_lineStyle, 3);
    EXPECT_EQ(dialog.Line().m_value, -2.5f);
}

TEST(LegendDialog, CancelChangesNothingAndOkWritesEveryEntry)
{
    TestApplication();
    RecordingMessages messages;
    Graph graph;
    graph.m_plots.Append(Set("one"));
    graph.m_plots.Append(Set(""));
    {
        CLegendDialog dialog(graph, messages);
        EXPECT_EQ(dialog.List()->count(), 2);
        EXPECT_EQ(dialog.TextLabel()->text(), "one");
        EXPECT_FALSE(dialog.FillColor()->isEnabled()) << "colours follow the box check";
        dialog.ShowBox()->setChecked(true);
        EXPECT_TRUE(dialog.EdgeColor()->isEnabled());
        dialog.TextLabel()->setText("changed");
        dialog.List()->setCurrentRow(1);
        EXPECT_EQ(dialog.TextLabel()->text(), "");
        dialog.reject();
    }
    EXPECT_EQ(graph.m_plots.Get(0).m_label.m_text, "one");
    EXPECT_EQ(graph.m_legend.m_showBox, 0);
    EXPECT_EQ(graph.m_legend.m_visible, 0);

    CLegendDialog dialog(graph, messages);
    dialog.SetFontChooser([](QWidget*, LogFont& font, Color& color) {
        font.height = -18;
        color = 0x00FF00;
        return true;
    });
    dialog.ChooseFont();
    dialog.ShowBox()->setChecked(true);
    dialog.FillColor()->Choose(5);
    dialog.List()->setCurrentRow(1);
    dialog.TextLabel()->setText("$\\omega_0$");
    dialog.accept();
    EXPECT_EQ(graph.m_plots.Get(0).m_label.m_text, "one");
    EXPECT_EQ(graph.m_plots.Get(1).m_label.m_text, "$\\omega_0$");
    EXPECT_EQ(graph.m_plots.Get(0).m_label.m_font.height, -18) << "the font applies to every entry";
    EXPECT_EQ(graph.m_plots.Get(1).m_label.m_color, 0x00FF00u);
    EXPECT_EQ(graph.m_legend.m_visible, 1);
    EXPECT_EQ(graph.m_legend.m_showBox, 1);
    EXPECT_EQ(graph.m_legend.m_boxFillColor, 0xFFFF00u) << "cyan";
}
