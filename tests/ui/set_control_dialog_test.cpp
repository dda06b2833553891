#include "document/set_control.h"
#include "document/tarn_doc.h"
#include "model/messages.h"
#include "tests/support/qt_application.h"
#include "ui/paste_data_dialog.h"
#include "ui/set_control_dialog.h"
#include "ui/text_output_dialog.h"

#include <QComboBox>
#include <QListWidget>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

struct Sets {
    Sets()
    {
        TestApplication();
        for (int i = 0; i < 3; ++i) {
            Plot plot;
            plot.m_info = "set" + std::to_string(i);
            plot.m_visible = i == 0;
            doc.CurrentGraph().m_plots.Append(plot);
        }
    }
    ~Sets() { std::fclose(errors); }
    CTarnDoc doc;
    std::FILE* errors = std::tmpfile();
    StreamMessages messages{errors};
};

} // namespace

TEST(SetControlDialog, ChosenEntriesAreAppliedOnOk)
{
    Sets sets;
    SetControl control(kActivateSets, sets.doc.CurrentGraph().m_plots, sets.messages);
    CSetControlDialog dialog(control);
    EXPECT_EQ(dialog.windowTitle(), "Activate Sets");
    ASSERT_EQ(dialog.List()->count(), 2);
    EXPECT_EQ(dialog.List()->item(1)->text(), "Set #2 (N = 0) set2");
    EXPECT_TRUE(dialog.List()->item(0)->isSelected()) << "a multiple list opens on its first entry";
    dialog.List()->item(0)->setSelected(false);
    dialog.List()->item(1)->setSelected(true);
    dialog.accept();
    EXPECT_EQ(dialog.Result(), std::vector<int>{2});
    EXPECT_EQ(sets.doc.CurrentGraph().m_plots.Get(2).m_visible, 1);
    EXPECT_EQ(sets.doc.CurrentGraph().m_plots.Get(1).m_visible, 0);
}

TEST(SetControlDialog, SingleChoiceListsOpenWithNothingChosen)
{
    Sets sets;
    SetControl control(kBringSetToTop, sets.doc.CurrentGraph().m_plots, sets.messages);
    CSetControlDialog dialog(control);
    EXPECT_EQ(dialog.List()->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_TRUE(dialog.List()->selectedItems().isEmpty());
    dialog.List()->item(2)->setSelected(true);
    dialog.accept();
    EXPECT_EQ(sets.doc.CurrentGraph().m_plots.Get(0).m_info, "set2");
}

TEST(PasteDataDialog, OffersTheFiveTextFormats)
{
    TestApplication();
    PasteDataDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Paste Data");
    QComboBox* formats = dialog.findChild<QComboBox*>();
    ASSERT_NE(formats, nullptr);
    ASSERT_EQ(formats->count(), 5);
    EXPECT_EQ(formats->itemText(1), "ASCII: x y1 y2 ... yn");
    dialog.SetFormat(4);
    EXPECT_EQ(dialog.Format(), 4);
}

TEST(TextOutputDialog, ShowsTheTextUnderItsCaption)
{
    TestApplication();
    TextOutputDialog dialog("Command Line Options", "a\tb\r\nc\r\n");
    EXPECT_EQ(dialog.windowTitle(), "Command Line Options");
    EXPECT_EQ(dialog.Text(), "a\tb\nc\n");
}
