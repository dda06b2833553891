#include "ui/error_bar_dialog.h"
#include "ui/graph_type_dialog.h"
#include "ui/plot_list_box.h"
#include "ui/plot_options_dialog.h"

#include "document/tarn_doc.h"
#include "render/graph.h"
#include "tests/render/test_messages.h"
#include "tests/support/qt_application.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

// Sets "a" (dashed, custom line colour 0x123456), "b" (square, red) and an
// inactive "hidden", all active but the last.
struct StylePage {
    StylePage()
    {
        TestApplication();
        Plot& a = Add("a");
        a.m_lineStyle = kDashed;
        a.m_lineColor = 0x123456;
        Plot& b = Add("b");
        b.m_pointStyle = kSquare;
        b.m_pointColor = ColorFromCode(kRed);
        b.m_errorBarHatSize = 7;
        Add("hidden").m_visible = 0;
    }
    Plot& Add(const std::string& name)
    {
        Plot plot;
        plot.m_info = name;
        plot.m_xPositive = plot.m_yPositive = 1;
        plot.AddPoint(1.0f, 2.0f);
        Graph& graph = doc.CurrentGraph();
        graph.m_plots.Append(plot);
        return graph.m_plots.Get(graph.m_plots.Count() - 1);
    }
    Plot& plot(int index) { return doc.CurrentGraph().m_plots.Get(index); }
    CTarnDoc doc;
    RecordingMessages messages;
};

QStringList Items(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

// The controls that the Tab key visits from `first` until it reaches one it
// has visited, named by `names`: each Tab is a key press sent to the dialog's
// focused control. (Without a window system the platform keeps the focus on
// the last control instead of wrapping round.)
std::vector<std::string> TabWalk(QDialog& dialog, QWidget* first,
                                 const std::vector<std::pair<QWidget*, std::string>>& names)
{
    const auto name = [&](QWidget* widget) -> std::string {
        for (const auto& [named, text] : names)
            if (named == widget)
                return text;
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            return button->text().toStdString();
        return widget ? widget->metaObject()->className() : "no focus";
    };
    dialog.show();
    first->setFocus(Qt::OtherFocusReason);
    std::vector<QWidget*> visited{dialog.focusWidget()};
    for (int presses = 0; presses < 30; ++presses) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(dialog.focusWidget(), &tab);
        if (std::find(visited.begin(), visited.end(), dialog.focusWidget()) != visited.end())
            break;
        visited.push_back(dialog.focusWidget());
    }
    dialog.hide();
    std::vector<std::string> walk;
    for (QWidget* widget : visited)
        walk.push_back(name(widget));
    return walk;
}

} // namespace

TEST(StyleDialogs, TabVisitsTheControlsInOrder)
{
    StylePage page;
    CPlotOptionsDialog options(page.doc, page.messages);
    EXPECT_EQ(TabWalk(options, options.List(),
                      {{options.List(), "set list"},
                       {options.PointStyle(), "symbol type"},
                       {options.PointSize(), "symbol size"},
                       {options.PointColor(), "symbol colour"},
                       {options.LineStyle(), "line type"},
                       {options.LineSize(), "line size"},
                       {options.LineColor(), "line colour"}}),
              (std::vector<std::string>{"set list", "symbol type", "symbol size", "symbol colour", "line type",
                                        "line size", "line colour", "Show multiple plots as animation", "Apply",
                                        "OK", "Cancel"}));
    CErrorBarDialog errorBars(page.doc, page.messages);
    EXPECT_EQ(TabWalk(errorBars, errorBars.List(),
                      {{errorBars.List(), "set list"},
                       {errorBars.HatSize(), "hat size"},
                       {errorBars.LineStyle(), "line type"},
                       {errorBars.LineSize(), "line size"},
                       {errorBars.XDisplay(), "x bar"},
                       {errorBars.YDisplay(), "y bar"}}),
              (std::vector<std::string>{"set list", "hat size", "line type", "line size", "x bar", "y bar", "OK",
                                        "Cancel"}));
}

TEST(PlotOptionsDialog, ShowsItsListsAndTheFirstSet)
{
    StylePage page;
    CPlotOptionsDialog dialog(page.doc, page.messages);
    EXPECT_EQ(dialog.windowTitle(), "Plot Options");
    EXPECT_EQ(Items(dialog.PointStyle()), QStringList({"Circle", "Square", "Triangle", "Dot", "Histogram X",
                                                       "Histogram Y", "Vector", "None"}));
    EXPECT_EQ(dialog.PointSize()->count(), 10);
    EXPECT_EQ(dialog.LineSize()->itemText(4), "5");
    EXPECT_EQ(Items(dialog.LineColor()),
              QStringList({"Black", "White", "Red", "Green", "Blue", "Cyan", "Grey", "None", "Custom"}));
    EXPECT_EQ(Items(dialog.LineStyle()),
              QStringList({"Solid", "Dotted", "Dashed", "Dash-Dot", "Dash-Dot-Dot", "None"}));
    EXPECT_EQ(dialog.Animation()->text(), "Show multiple plots as animation");
    EXPECT_EQ(dialog.ApplyButton()->text(), "Apply");
    EXPECT_EQ(dialog.List()->count(), 2) << "only active sets are listed";
    EXPECT_EQ(dialog.LineStyle()->currentText(), "Dashed");
    EXPECT_EQ(dialog.LineColor()->currentText(), "Custom");

    // Choosing set "b" shows its style.
    dialog.List()->ChooseRows({1});
    EXPECT_EQ(dialog.PointStyle()->currentText(), "Square");
    EXPECT_EQ(dialog.PointColor()->currentText(), "Red");
    EXPECT_EQ(dialog.LineColor()->currentText(), "Black");
}

TEST(PlotOptionsDialog, ApplyRestylesTheChosenSetsAndRedraws)
{
    StylePage page;
    CPlotOptionsDialog dialog(page.doc, page.messages);
    int changed = 0;
    QObject::connect(&dialog, &CPlotOptionsDialog::Changed, [&] { ++changed; });
    dialog.List()->ChooseRows({0, 1});
    dialog.PointStyle()->setCurrentIndex(kTriangle);
    dialog.PointColor()->setCurrentIndex(kNone);
    dialog.ApplyButton()->click();
    EXPECT_EQ(changed, 1);
    for (int index : {0, 1}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(page.plot(index).m_pointStyle, kTriangle);
        EXPECT_EQ(page.plot(index).m_pointColor, kNoColor);
        EXPECT_EQ(page.plot(index).m_pointColorNone, 1);
        // "b" was chosen last, so its (black) line colour was shown and applied.
        EXPECT_EQ(page.plot(index).m_lineColor, 0u);
    }
    EXPECT_EQ(page.plot(2).m_pointStyle, Plot().m_pointStyle);
    EXPECT_FALSE(page.doc.IsModified());
}

TEST(PlotOptionsDialog, CustomGoesThroughTheColourChooser)
{
    StylePage page;
    CPlotOptionsDialog dialog(page.doc, page.messages);
    std::vector<Color> starts;
    bool accept = true;
    dialog.SetColorPicker([&](Color start, Color* result) {
        starts.push_back(start);
        *result = 0x00ABCD;
        return accept;
    });
    dialog.ChooseColor(false, kCustomColorItem);
    EXPECT_EQ(dialog.PointColor()->currentText(), "Custom");
    dialog.ChooseColor(true, kCustomColorItem);
    EXPECT_EQ(starts, (std::vector<Color>{0, 0x123456})) << "black without a custom colour, else the custom one";

    // Cancel in the chooser reloads every list from the remembered set.
    accept = false;
    dialog.LineStyle()->setCurrentIndex(kSolid);
    dialog.ChooseColor(true, kCustomColorItem);
    EXPECT_EQ(dialog.LineStyle()->currentText(), "Dashed");
    EXPECT_EQ(dialog.PointColor()->currentText(), "Black");

    accept = true;
    dialog.ChooseColor(false, kCustomColorItem);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(page.plot(0).m_pointColor, 0x00ABCDu);
    EXPECT_EQ(page.plot(0).m_lineColor, 0x123456u);
    EXPECT_EQ(page.plot(1).m_pointColor, ColorFromCode(kRed)) << "set b was not chosen";
}

TEST(ErrorBarDialog, OkRestylesOrStaysOpen)
{
    StylePage page;
    CErrorBarDialog dialog(page.doc, page.messages);
    EXPECT_EQ(dialog.windowTitle(), "Error Bar");
    EXPECT_EQ(Items(dialog.XDisplay()), QStringList({"Left", "Right", "Both", "None"}));
    EXPECT_EQ(Items(dialog.YDisplay()), QStringList({"Top", "Bottom", "Both", "None"}));
    EXPECT_EQ(dialog.HatSize()->count(), 10);
    EXPECT_EQ(dialog.LineSize()->count(), 10);
    dialog.List()->ChooseRows({1});
    EXPECT_EQ(dialog.HatSize()->currentText(), "7");

    dialog.List()->ChooseRows({});
    dialog.accept();
    EXPECT_EQ(page.messages.shown, std::vector<std::string>{"No Plots have been selected!"});
    EXPECT_NE(dialog.result(), QDialog::Accepted);

    dialog.List()->ChooseRows({0});
    EXPECT_EQ(dialog.HatSize()->currentText(), "3") << "the lists follow the set chosen last";
    dialog.HatSize()->setCurrentIndex(4);
    dialog.YDisplay()->setCurrentIndex(kErrorBarFirst);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(page.plot(0).m_yErrorBarDisplay, kErrorBarFirst);
    EXPECT_EQ(page.plot(0).m_errorBarHatSize, 5);
    EXPECT_EQ(page.plot(1).m_errorBarHatSize, 7);
    EXPECT_TRUE(page.doc.IsModified());
}

TEST(GraphTypeDialog, OpensOnTheGivenItem)
{
    TestApplication();
    CGraphTypeDialog dialog(2);
    EXPECT_EQ(dialog.windowTitle(), "Set Graph Type");
    ASSERT_EQ(dialog.List()->count(), 4);
    EXPECT_EQ(dialog.List()->item(0)->text(), "Linear X, Linear Y");
    EXPECT_EQ(dialog.List()->item(1)->text(), "Linear X, Log Y");
    EXPECT_EQ(dialog.List()->item(3)->text(), "Log X, Log Y");
    EXPECT_EQ(dialog.Item(), 2);
    dialog.List()->setCurrentRow(3);
    EXPECT_EQ(dialog.Item(), 3);
}
