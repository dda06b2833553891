#include "ui/arrange_dialog.h"
#include "ui/color_dialog.h"
#include "ui/overlap_dialog.h"
#include "ui/properties_dialog.h"
#include "ui/select_dialog.h"

#include "tests/render/test_messages.h"
#include "tests/support/qt_application.h"

#include <QSpinBox>
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

TEST(ColorDialog, OpensOnTheColourAndReturnsIt)
{
    TestApplication();
    RecordingMessages messages;
    {
        SCOPED_TRACE("none: transparent checked, sliders at 255 and disabled");
        CColorDialog dialog(kNoColor, messages);
        EXPECT_TRUE(dialog.Transparent()->isChecked());
        EXPECT_EQ(dialog.Slider(0)->value(), 255);
        EXPECT_FALSE(dialog.Slider(2)->isEnabled());
        EXPECT_FALSE(dialog.Edit(1)->isEnabled());
        EXPECT_EQ(dialog.CurrentColor(), kNoColor);
        dialog.Transparent()->setChecked(false);
        EXPECT_TRUE(dialog.Edit(1)->isEnabled());
        EXPECT_EQ(dialog.CurrentColor(), 0xFFFFFFu);
    }
    {
        SCOPED_TRACE("0x123456 splits into red 0x56, green 0x34, blue 0x12");
        CColorDialog dialog(0x123456, messages);
        EXPECT_EQ(dialog.Slider(0)->value(), 0x56);
        EXPECT_EQ(dialog.Slider(1)->value(), 0x34);
        EXPECT_EQ(dialog.Edit(2)->text(), "18");
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.CurrentColor(), 0x123456u);
    }
    {
        SCOPED_TRACE("sliders and edit boxes follow each other");
        CColorDialog dialog(0, messages);
        dialog.Slider(0)->setValue(200);
        EXPECT_EQ(dialog.Edit(0)->text(), "200");
        dialog.Edit(2)->setText("16");
        emit dialog.Edit(2)->textEdited("16");
        EXPECT_EQ(dialog.Slider(2)->value(), 16);
        EXPECT_EQ(dialog.CurrentColor(), RGBColor(200, 0, 16));
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST(ColorDialog, BadEntriesKeepTheDialogOpen)
{
    TestApplication();
    struct Row { const char* text; const char* message; };
    const Row rows[] = {{"abc", "Please enter a positive integer."},
                        {"-5", "Please enter a positive integer."},
                        {"", "Please enter a positive integer."},
                        {"256", "Please enter an integer between 0 and 255."},
                        {"99999999999", "Please enter an integer between 0 and 255."}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        RecordingMessages messages;
        CColorDialog dialog(0x000000, messages);
        dialog.Edit(1)->setText(row.text);
        dialog.accept();
        EXPECT_EQ(messages.shown, std::vector<std::string>{row.message});
        EXPECT_NE(dialog.result(), QDialog::Accepted);
    }
    for (const char* text : {"0255", "000", "007"}) {
        SCOPED_TRACE(text);
        RecordingMessages messages;
        CColorDialog dialog(0x000000, messages);
        dialog.Edit(1)->setText(text);
        emit dialog.Edit(1)->textEdited(text);
        dialog.accept();
        EXPECT_TRUE(messages.shown.empty()) << "leading zeros are an unsigned integer too";
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.CurrentColor(), RGBColor(0, std::atoi(text), 0));
    }
}

TEST(ArrangeDialog, LiveSizesModesAndCountCheck)
{
    TestApplication();
    RecordingMessages messages;
    CArrangeDialog dialog(ArrangeRequest{}, messages);
    dialog.Field("Rows:")->setText("2");
    dialog.Field("Columns:")->setText("2");
    EXPECT_EQ(dialog.Field("Graph width:")->text(), "0.325");
    EXPECT_EQ(dialog.Field("Graph height:")->text(), "0.325");
    dialog.Field("Rows:")->setText("0");
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Invalid row value!"});
    EXPECT_EQ(dialog.Field("Graph height:")->text(), "0.325") << "sizes kept on a bad count";
    dialog.accept();
    EXPECT_EQ(messages.shown.back(), "Invalid row value!");
    EXPECT_NE(dialog.result(), QDialog::Accepted);

    dialog.SelectedGraph()->setChecked(true);
    EXPECT_FALSE(dialog.Field("Rows:")->isEnabled());
    EXPECT_FALSE(dialog.Field("Horizontal gap:")->isEnabled());
    EXPECT_TRUE(dialog.Field("Start at x =")->isEnabled());
    EXPECT_FALSE(dialog.Request().allGraphs);
    dialog.AllGraphs()->setChecked(true);
    EXPECT_TRUE(dialog.Field("Columns:")->isEnabled());

    // The arrows step from a typed count.
    dialog.Field("Columns:")->setText("7");
    dialog.ColumnSpin()->stepUp();
    EXPECT_EQ(dialog.Field("Columns:")->text(), "8");
    dialog.Field("Rows:")->setText("5");
    dialog.RowSpin()->stepDown();
    EXPECT_EQ(dialog.Field("Rows:")->text(), "4");
}

TEST(OverlapDialog, SameGraphIsRefusedAndTheCombosReset)
{
    TestApplication();
    RecordingMessages messages;
    COverlapDialog dialog(4, messages);
    EXPECT_EQ(dialog.TopGraph(), 0);
    EXPECT_EQ(dialog.BottomGraph(), 1);
    EXPECT_EQ(dialog.TopCombo()->itemText(3), "3");
    dialog.TopCombo()->setCurrentIndex(2);
    dialog.BottomCombo()->setCurrentIndex(2);
    dialog.accept();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Unable to place a graph on top of itself!"});
    EXPECT_EQ(dialog.TopGraph(), 0);
    EXPECT_EQ(dialog.BottomGraph(), 1);
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(PropertiesAndSelectDialogs, ChoicesMapToFactors)
{
    TestApplication();
    CPropertiesDialog properties(3, 1.75f, nullptr);
    EXPECT_EQ(properties.LineCombo()->currentText(), "3");
    EXPECT_EQ(properties.FontCombo()->currentText(), "1 3/4");
    properties.FontCombo()->setCurrentIndex(8);
    EXPECT_FLOAT_EQ(properties.FontScaling(), 3.0f);
    properties.LineCombo()->setCurrentIndex(4);
    EXPECT_EQ(properties.LineScaling(), 5);

    CSelectDialog select(6, 4);
    EXPECT_EQ(select.Combo()->count(), 6);
    EXPECT_EQ(select.Chosen(), 4);
}
