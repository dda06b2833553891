#include "ui/axis_properties_dialog.h"
#include "ui/color_combo.h"
#include "ui/color_dialog.h"
#include "ui/grid_options_dialog.h"
#include "ui/tick_labels_dialog.h"
#include "ui/tick_marks_dialog.h"

#include "document/tarn_doc.h"
#include "tests/render/test_messages.h"
#include "tests/support/qt_application.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

namespace {

// Answers the next modal dialog: `answer` runs on it once it is open.
template <class Answer>
void WhenModalOpens(Answer answer)
{
    QTimer::singleShot(0, [answer] {
        if (QWidget* modal = QApplication::activeModalWidget())
            answer(modal);
    });
}

} // namespace

TEST(AxisPropertiesDialog, LoadsTheDirectionAndSwitchesWithEdit)
{
    TestApplication();
    CTarnDoc doc;
    RecordingMessages messages;
    CAxisPropertiesDialog dialog(doc, AxisDirection::Y, messages);
    EXPECT_EQ(dialog.windowTitle(), "Axis Properties");
    EXPECT_EQ(dialog.EditCombo()->currentText(), "Y Axis");
    EXPECT_EQ(dialog.Title()->text(), "Y Axis");
    EXPECT_EQ(dialog.MajorSpacing()->text(), "1.8");
    EXPECT_EQ(dialog.MinorSpacing()->text(), "0.9");
    EXPECT_TRUE(dialog.Ticks()->isChecked());
    EXPECT_FALSE(dialog.Grid()->isChecked());
    EXPECT_EQ(dialog.ColorChoice()->currentText(), "Black");
    EXPECT_EQ(dialog.ApplyTo()->count(), 4);
    EXPECT_EQ(dialog.ApplyTo()->itemText(2), "Current Axis, All Graphs");
    emit dialog.EditCombo()->activated(0);
    EXPECT_EQ(dialog.Direction(), AxisDirection::X);
    EXPECT_EQ(dialog.Title()->text(), "X Axis");
}

TEST(AxisPropertiesDialog, BadSpacingKeepsTheDialogOpenAndChangesNothing)
{
    TestApplication();
    CTarnDoc doc;
    RecordingMessages messages;
    CAxisPropertiesDialog dialog(doc, AxisDirection::X, messages);
    dialog.Title()->setText("Time (s)");
    dialog.MinorSpacing()->setText("-1");
    dialog.accept();
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{"Please enter a positive number for the minor tick spacing."});
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(doc.CurrentGraph().m_xLabel.m_text, "X Axis");
    EXPECT_FALSE(doc.IsModified());
}

TEST(AxisPropertiesDialog, OkAppliesSpacingsExpressionsAndColour)
{
    TestApplication();
    CTarnDoc doc;
    RecordingMessages messages;
    CAxisPropertiesDialog dialog(doc, AxisDirection::X, messages);
    int changed = 0;
    QObject::connect(&dialog, &CAxisPropertiesDialog::Changed, [&changed] { ++changed; });
    dialog.Title()->setText("Time (s)");
    dialog.MajorSpacing()->setText("2*pi");
    dialog.MinorSpacing()->setText("1/4");
    dialog.Grid()->setChecked(true);
    dialog.ColorChoice()->Choose(2); // Red
    dialog.accept();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const Graph& graph = doc.CurrentGraph();
    EXPECT_EQ(graph.m_xLabel.m_text, "Time (s)");
    EXPECT_NEAR(graph.m_bottomAxis.m_majorSpacing, 6.2831853, 1e-5);
    EXPECT_FLOAT_EQ(graph.m_topAxis.m_minorSpacing, 0.25f);
    EXPECT_EQ(graph.m_bottomAxis.m_color, 0x0000FFu);
    EXPECT_EQ(graph.m_bottomAxis.m_userSpacing, 1);
    EXPECT_EQ(graph.m_bottomAxis.m_showGrid, 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(changed, 1);
}

TEST(AxisPropertiesDialog, SubDialogsCheckTheirBoxes)
{
    TestApplication();
    CTarnDoc doc;
    RecordingMessages messages;
    CAxisPropertiesDialog dialog(doc, AxisDirection::Y, messages);
    int changed = 0;
    QObject::connect(&dialog, &CAxisPropertiesDialog::Changed, [&changed] { ++changed; });
    dialog.Ticks()->setChecked(false);
    dialog.Labels()->setChecked(false);
    dialog.AfterTickMarks();
    dialog.AfterTickLabels();
    dialog.AfterGrid(false);
    EXPECT_TRUE(dialog.Ticks()->isChecked());
    EXPECT_TRUE(dialog.Labels()->isChecked());
    EXPECT_FALSE(dialog.Grid()->isChecked()) << "a grid applied to all graphs is not switched on";
    dialog.AfterGrid(true);
    EXPECT_TRUE(dialog.Grid()->isChecked());
    EXPECT_EQ(changed, 4);
}

TEST(TickMarksDialog, SideResetsToOutAndOkApplies)
{
    TestApplication();
    CTarnDoc doc;
    doc.CurrentGraph().m_leftAxis.m_tickDirection = kTicksRight; // pointing in
    CTickMarksDialog dialog(doc, AxisDirection::Y);
    EXPECT_EQ(dialog.windowTitle(), "Tick Marks");
    EXPECT_TRUE(dialog.In()->isChecked());
    dialog.Side()->setCurrentIndex(kBothSides);
    emit dialog.Side()->activated(kBothSides);
    EXPECT_TRUE(dialog.Out()->isChecked()) << "choosing a side resets the direction to Out";
    dialog.accept();
    const Graph& graph = doc.CurrentGraph();
    EXPECT_EQ(graph.m_yTickSide, kBothSides);
    EXPECT_EQ(graph.m_rightAxis.m_showTicks, 1);
    EXPECT_EQ(graph.m_leftAxis.m_tickDirection, int(kTicksLeft));
    EXPECT_EQ(graph.m_rightAxis.m_tickDirection, int(kTicksRight));
    EXPECT_TRUE(doc.IsModified());
}

TEST(TickLabelsDialog, FontChooserAndFormat)
{
    TestApplication();
    CTarnDoc doc;
    RecordingMessages messages;
    CTickLabelsDialog dialog(doc, AxisDirection::X, messages);
    EXPECT_EQ(dialog.windowTitle(), "Tick Labels");
    EXPECT_EQ(dialog.Precision()->count(), 10);
    EXPECT_EQ(dialog.Precision()->currentText(), "3");
    dialog.SetFontChooser([](QWidget*, LogFont& font, Color& color) {
        font.height = -18;
        font.weight = 700;
        color = 0xFF0000;
        return true;
    });
    dialog.ChooseFont();
    dialog.Format()->setCurrentIndex(1);
    dialog.Side()->setCurrentIndex(kBothSides);
    dialog.ApplyTo()->setCurrentIndex(kApplyAllAxesCurrentGraph);
    dialog.accept();
    const Graph& graph = doc.CurrentGraph();
    for (const Axis* axis : {&graph.m_bottomAxis, &graph.m_topAxis, &graph.m_leftAxis, &graph.m_rightAxis}) {
        EXPECT_EQ(axis->m_labelFont.height, -18);
        EXPECT_EQ(axis->m_labelFont.weight, 700);
        EXPECT_EQ(axis->m_labelColor, 0xFF0000u);
        EXPECT_EQ(axis->m_format, 1);
        EXPECT_EQ(axis->m_showLabels, 1);
    }
    EXPECT_EQ(graph.m_xLabelSide, kBothSides);
    EXPECT_EQ(graph.m_yLabelSide, kBothSides);
}

TEST(TickLabelsDialog, CancelledFontChooserKeepsTheFont)
{
    TestApplication();
    CTarnDoc doc;
    RecordingMessages messages;
    CTickLabelsDialog dialog(doc, AxisDirection::Y, messages);
    dialog.SetFontChooser([](QWidget*, LogFont& font, Color&) {
        font.height = -40;
        return false;
    });
    dialog.ChooseFont();
    EXPECT_EQ(dialog.Entries().font.height, -12);
}

TEST(GridOptionsDialog, LoadsAndApplies)
{
    TestApplication();
    CTarnDoc doc;
    RecordingMessages messages;
    doc.CurrentGraph().m_leftAxis.m_gridSize = 4;
    doc.CurrentGraph().m_leftAxis.m_gridColor = 0x123456;
    CGridOptionsDialog dialog(doc, AxisDirection::Y, messages);
    EXPECT_EQ(dialog.windowTitle(), "Grid Options");
    EXPECT_EQ(dialog.Type()->count(), 6);
    EXPECT_EQ(dialog.Size()->currentText(), "4");
    EXPECT_EQ(dialog.ColorChoice()->currentText(), "Custom");
    dialog.Type()->setCurrentIndex(kDashDot);
    dialog.Size()->setCurrentIndex(1);
    dialog.accept();
    EXPECT_TRUE(dialog.SwitchedOn());
    const Axis& left = doc.CurrentGraph().m_leftAxis;
    EXPECT_EQ(left.m_gridType, int(kDashDot));
    EXPECT_EQ(left.m_gridSize, 2);
    EXPECT_EQ(left.m_gridColor, 0x123456u);
    EXPECT_EQ(left.m_showGrid, 1);
}

TEST(ColorCombo, FixedColoursAndCustomThroughTheColorDialog)
{
    TestApplication();
    RecordingMessages messages;
    CColorCombo combo(messages);
    combo.SetColor(0x646464);
    EXPECT_EQ(combo.currentText(), "Grey");
    combo.SetColor(kNoColor);
    EXPECT_EQ(combo.currentText(), "None");
    combo.Choose(4);
    EXPECT_EQ(combo.ColorValue(), 0xFF0000u) << "Blue";
    WhenModalOpens([](QWidget* modal) {
        auto* color = qobject_cast<CColorDialog*>(modal);
        ASSERT_NE(color, nullptr);
        color->Edit(0)->setText("18");
        emit color->Edit(0)->textEdited("18");
        color->accept();
    });
    combo.Choose(8);
    EXPECT_EQ(combo.ColorValue(), 0xFF0012u);
    EXPECT_EQ(combo.currentText(), "Custom");
    WhenModalOpens([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    combo.Choose(8);
    EXPECT_EQ(combo.ColorValue(), 0xFF0012u) << "Cancel keeps the colour";
}
