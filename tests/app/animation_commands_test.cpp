#include "app/tarn_view.h"

#include "document/tarn_doc.h"
#include "render/graph.h"
#include "tests/render/test_messages.h"
#include "tests/support/qt_application.h"
#include "ui/animate_plots_window.h"
#include "ui/export_animation_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSlider>
#include <QTimer>

namespace {

struct AnimatedView {
    explicit AnimatedView(int sets, bool animated)
    {
        Graph& graph = doc.CurrentGraph();
        for (int i = 0; i < sets; ++i) {
            Plot plot;
            for (float x : {0.0f, 5.0f, 10.0f})
                plot.AddPoint(x, x + float(i));
            graph.m_plots.Append(plot);
        }
        graph.SyncPlotGeometry();
        graph.AutoScale(true, messages);
        graph.m_singlePlotOnly = animated;
        view.resize(400, 300);
        view.grab();
    }
    bool app = (TestApplication(), true); // the application exists before the view
    CTarnDoc doc;
    RecordingMessages messages;
    CTarnView view{doc, messages};
};

void DoubleClick(QWidget& widget, QPoint at)
{
    const QPointF local(at);
    const QPointF global(widget.mapToGlobal(at));
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                              QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, local, global, Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(&widget, &event);
    }
}

} // namespace

TEST(AnimationCommands, AnimatePlotsIsEnabledOnlyInAnimationMode)
{
    AnimatedView off(3, false);
    EXPECT_FALSE(off.view.IsCommandEnabled(CommandId::SetsAnimate));
    EXPECT_FALSE(off.view.OnCommand(CommandId::SetsAnimate));
    EXPECT_EQ(off.view.AnimateWindow(), nullptr);
    EXPECT_TRUE(off.view.IsCommandEnabled(CommandId::ExportAnimation)) << "Record itself says what is missing";

    AnimatedView on(3, true);
    EXPECT_TRUE(on.view.IsCommandEnabled(CommandId::SetsAnimate));
}

TEST(AnimationCommands, TheWindowOpensOnceAndFollowsTheViewsRedraws)
{
    AnimatedView f(3, true);
    f.doc.CurrentGraph().m_singlePlotIndex = 5;
    ASSERT_TRUE(f.view.OnCommand(CommandId::SetsAnimate));
    CAnimatePlotsWindow* window = f.view.AnimateWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(f.doc.CurrentGraph().m_singlePlotIndex, 0) << "opening resets an index past the last set";
    ASSERT_TRUE(f.view.OnCommand(CommandId::SetsAnimate));
    EXPECT_EQ(f.view.AnimateWindow(), window) << "an open window is not opened twice";

    // A set removed elsewhere: the view's refresh brings the window along.
    f.doc.CurrentGraph().m_singlePlotIndex = 2;
    window->Refresh();
    EXPECT_EQ(window->FirstLine()->text(), "Plot: 2");
    f.doc.CurrentGraph().m_plots.Remove(2);
    f.view.Refresh();
    EXPECT_EQ(window->Slider()->maximum(), 1);
    EXPECT_EQ(window->FirstLine()->text(), "Plot: 0");

    const int draws = f.view.RenderCount();
    window->Slider()->setValue(1);
    f.view.grab();
    EXPECT_GT(f.view.RenderCount(), draws) << "moving the slider redraws the page";
    EXPECT_EQ(f.doc.CurrentGraph().m_singlePlotIndex, 1);

    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(f.view.AnimateWindow(), nullptr) << "closing the window ends it";
}

TEST(AnimationCommands, DoubleClickInThePlotAreaOpensTheWindow)
{
    AnimatedView empty(0, true);
    DoubleClick(empty.view, {200, 150});
    EXPECT_EQ(empty.view.AnimateWindow(), nullptr) << "a page without sets has nothing to animate";

    AnimatedView f(2, false);
    DoubleClick(f.view, {200, 150});
    ASSERT_NE(f.view.AnimateWindow(), nullptr);
    EXPECT_EQ(f.view.AnimateWindow()->FirstLine()->text(), "Animation has been disabled!");
}

TEST(AnimationCommands, ExportAnimationOpensTheDialogAtTheViewsSize)
{
    AnimatedView f(3, true);
    QString width, height, title;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CExportAnimationDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        title = dialog->windowTitle();
        width = dialog->WidthField()->text();
        height = dialog->HeightField()->text();
        dialog->reject();
    });
    EXPECT_TRUE(f.view.OnCommand(CommandId::ExportAnimation));
    EXPECT_EQ(title, "Export Animation");
    EXPECT_EQ(width, "400");
    EXPECT_EQ(height, "300");
    EXPECT_FALSE(f.doc.IsModified());
}
