// Mouse, wheel and key input on the view, driven with real Qt events on the
// offscreen platform: zoom, pan, wheel, cross hairs, selection and dragging,
// free labels and the mode transitions.
#include "app/tarn_view.h"

#include "document/tarn_doc.h"
#include "render/graph.h"
#include "tests/render/test_messages.h"
#include "tests/support/qt_application.h"
#include "ui/text_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>

#include <cmath>
#include <cstdlib>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextEdit>
#include <QWheelEvent>

namespace {

void Mouse(QWidget& view, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
           Qt::KeyboardModifiers keys = Qt::NoModifier)
{
    QMouseEvent event(type, QPointF(at), QPointF(view.mapToGlobal(at)), button, buttons, keys);
    QCoreApplication::sendEvent(&view, &event);
}

void Press(QWidget& view, QPoint at, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers keys = {})
{
    Mouse(view, QEvent::MouseButtonPress, at, button, button, keys);
}

void MoveTo(QWidget& view, QPoint at, Qt::MouseButtons buttons = Qt::NoButton, Qt::KeyboardModifiers keys = {})
{
    Mouse(view, QEvent::MouseMove, at, Qt::NoButton, buttons, keys);
}

void Release(QWidget& view, QPoint at, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers keys = {})
{
    Mouse(view, QEvent::MouseButtonRelease, at, button, Qt::NoButton, keys);
}

void Wheel(QWidget& view, QPoint at, int delta, Qt::KeyboardModifiers keys)
{
    QWheelEvent event(QPointF(at), QPointF(view.mapToGlobal(at)), QPoint(), QPoint(0, delta), Qt::NoButton, keys,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&view, &event);
}

// A page with one set from (0, 0) to (10, 20), scaled to its data.
struct ViewFixture {
    ViewFixture()
    {
        Plot plot;
        for (float x : {0.0f, 2.0f, 5.0f, 10.0f})
            plot.AddPoint(x, 2 * x);
        Graph& graph = doc.CurrentGraph();
        graph.m_plots.Append(plot);
        graph.SyncPlotGeometry();
        graph.AutoScale(true, messages);
        view.resize(400, 300);
        QObject::connect(&view, &CTarnView::StatusText,
                         [this](int pane, const QString& text) { status[pane] = text.toStdString(); });
        view.grab();
    }
    Graph& graph() { return doc.CurrentGraph(); }
    PageRect page() const { return {0, 0, 400, 300}; }

    bool app = (TestApplication(), true); // the application exists before the view
    CTarnDoc doc;
    RecordingMessages messages;
    CTarnView view{doc, messages};
    std::string status[3];
};

} // namespace

TEST(ViewInteraction, RubberBandZoomInEitherDirection)
{
    struct Row { QPoint from, to; };
    for (Row row : {Row{{100, 80}, {300, 220}}, Row{{300, 220}, {100, 80}}, Row{{100, 220}, {300, 80}}}) {
        SCOPED_TRACE(row.from.x());
        ViewFixture f;
        const double xLow = f.graph().DeviceToDataX(100, f.page()), xHigh = f.graph().DeviceToDataX(300, f.page());
        const double yLow = f.graph().DeviceToDataY(220, f.page()), yHigh = f.graph().DeviceToDataY(80, f.page());
        ASSERT_TRUE(f.view.OnCommand(CommandId::ViewZoom));
        EXPECT_EQ(f.view.Interaction().MouseMode(), CViewInteraction::ZoomArmed);
        Press(f.view, row.from);
        EXPECT_EQ(f.view.Interaction().MouseMode(), CViewInteraction::Zooming);
        const int renders = f.view.RenderCount();
        MoveTo(f.view, (row.from + row.to) / 2, Qt::LeftButton);
        MoveTo(f.view, row.to, Qt::LeftButton);
        f.view.grab();
        EXPECT_EQ(f.view.RenderCount(), renders) << "the rubber band is an overlay";
        Release(f.view, row.to);
        EXPECT_EQ(f.view.Interaction().MouseMode(), CViewInteraction::Normal);
        EXPECT_NEAR(f.graph().m_xMin, xLow, 1e-4);
        EXPECT_NEAR(f.graph().m_xMax, xHigh, 1e-4);
        EXPECT_NEAR(f.graph().m_yMin, yLow, 1e-4);
        EXPECT_NEAR(f.graph().m_yMax, yHigh, 1e-4);
        EXPECT_FALSE(f.doc.IsModified()) << "zooming is a display change";
    }
}

TEST(ViewInteraction, ZeroSizeZoomRectangleChangesNothingAndRestoreScalingUndoesAZoom)
{
    for (QPoint to : {QPoint(100, 200), QPoint(250, 80), QPoint(100, 80)}) {
        ViewFixture f;
        const float before[4] = {f.graph().m_xMin, f.graph().m_xMax, f.graph().m_yMin, f.graph().m_yMax};
        f.view.OnCommand(CommandId::ViewZoom);
        Press(f.view, {100, 80});
        MoveTo(f.view, to, Qt::LeftButton);
        Release(f.view, to);
        EXPECT_EQ(f.graph().m_xMin, before[0]);
        EXPECT_EQ(f.graph().m_xMax, before[1]);
        EXPECT_EQ(f.graph().m_yMin, before[2]);
        EXPECT_EQ(f.graph().m_yMax, before[3]);
        EXPECT_EQ(f.view.Interaction().MouseMode(), CViewInteraction::Normal);
    }
    ViewFixture f;
    const float before[4] = {f.graph().m_xMin, f.graph().m_xMax, f.graph().m_yMin, f.graph().m_yMax};
    Wheel(f.view, {200, 150}, 240, Qt::ControlModifier);
    ASSERT_NE(f.graph().m_xMin, before[0]);
    f.view.OnCommand(CommandId::ViewZoom);
    ASSERT_TRUE(f.view.OnCommand(CommandId::ViewRestoreScaling));
    EXPECT_EQ(f.view.Interaction().MouseMode(), CViewInteraction::Normal);
    EXPECT_EQ(f.graph().m_xMin, before[0]);
    EXPECT_EQ(f.graph().m_xMax, before[1]);
    EXPECT_EQ(f.graph().m_yMin, before[2]);
    EXPECT_EQ(f.graph().m_yMax, before[3]);
}

TEST(ViewInteraction, EscapeLeavesAnArmedMode)
{
    struct Row { const char* name; CommandId command; bool dragging; };
    const Row rows[] = {
        {"zoom armed", CommandId::ViewZoom, false},
        {"zoom rectangle being dragged", CommandId::ViewZoom, true},
        {"insert text armed", CommandId::InsertText, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ViewFixture f;
        bool asked = false;
        f.view.SetTextDialogRunner([&](CTextDialog&) {
            asked = true;
            return int(QDialog::Rejected);
        });
        const float before[4] = {f.graph().m_xMin, f.graph().m_xMax, f.graph().m_yMin, f.graph().m_yMax};
        ASSERT_TRUE(f.view.OnCommand(row.command));
        if (row.dragging) {
            Press(f.view, {100, 80});
            MoveTo(f.view, {300, 220}, Qt::LeftButton);
        }
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(&f.view, &escape);
        EXPECT_EQ(f.view.Interaction().MouseMode(), CViewInteraction::Normal);
        EXPECT_EQ(f.view.cursor().shape(), Qt::ArrowCursor);
        // The button goes up, or the next drag comes: neither zooms nor places a label.
        if (!row.dragging)
            Press(f.view, {100, 80});
        MoveTo(f.view, {300, 220}, Qt::LeftButton);
        Release(f.view, {300, 220});
        EXPECT_FALSE(asked);
        EXPECT_EQ(f.doc.m_labels.Count(), 0);
        EXPECT_EQ(f.graph().m_xMin, before[0]);
        EXPECT_EQ(f.graph().m_xMax, before[1]);
        EXPECT_EQ(f.graph().m_yMin, before[2]);
        EXPECT_EQ(f.graph().m_yMax, before[3]);
    }
}

TEST(ViewInteraction, CtrlWheelZoomsLinearAxesOnly)
{
    struct Row { int xLog, yLog, delta; };
    for (Row row : {Row{0, 0, 120}, Row{0, 0, -120}, Row{1, 0, 120}, Row{0, 1, -240}}) {
        SCOPED_TRACE(std::to_string(row.xLog) + std::to_string(row.yLog) + " " + std::to_string(row.delta));
        ViewFixture f;
        // Positive data for the log axes.
        f.graph().m_plots.Clear();
        Plot plot;
        for (float x : {1.0f, 10.0f, 100.0f})
            plot.AddPoint(x, x);
        plot.m_xPositive = plot.m_yPositive = 1;
        f.graph().m_plots.Append(plot);
        f.graph().SyncPlotGeometry();
        ASSERT_TRUE(f.graph().SetLogScale(row.xLog, row.yLog, f.messages));
        f.graph().AutoScale(true, f.messages);
        const Graph before = f.graph();
        Wheel(f.view, {200, 150}, row.delta, Qt::ControlModifier);
        const auto expect = [&](bool log, float min, float max, float oldMin, float oldMax) {
            if (log) {
                EXPECT_EQ(min, oldMin);
                EXPECT_EQ(max, oldMax);
                return;
            }
            // One notch away from the user narrows each end by a tenth of the span.
            const float d = float(row.delta) / 1200.0f * (oldMax - oldMin);
            EXPECT_NEAR(min, oldMin + d, 1e-4 * (oldMax - oldMin));
            EXPECT_NEAR(max, oldMax - d, 1e-4 * (oldMax - oldMin));
        };
        expect(row.xLog, f.graph().m_xMin, f.graph().m_xMax, before.m_xMin, before.m_xMax);
        expect(row.yLog, f.graph().m_yMin, f.graph().m_yMax, before.m_yMin, before.m_yMax);
    }
    ViewFixture f;
    const float xMin = f.graph().m_xMin;
    Wheel(f.view, {200, 150}, 120, Qt::NoModifier);
    EXPECT_EQ(f.graph().m_xMin, xMin);
    EXPECT_EQ(f.status[0], "Hold down the Ctrl key + wheel mouse to zoom");
}

TEST(ViewInteraction, CtrlMiddleButtonPansSoTheDataFollowThePointer)
{
    ViewFixture f;
    const Graph before = f.graph();
    Press(f.view, {200, 150}, Qt::MiddleButton);
    EXPECT_EQ(f.status[0], "Ctrl key + middle button to scroll");
    EXPECT_EQ(f.view.Interaction().MouseMode(), CViewInteraction::Normal);
    Release(f.view, {200, 150}, Qt::MiddleButton);

    Press(f.view, {200, 150}, Qt::MiddleButton, Qt::ControlModifier);
    EXPECT_EQ(f.view.Interaction().MouseMode(), CViewInteraction::Panning);
    const double dataAtStart = f.graph().DeviceToDataX(200, f.page());
    const double yAtStart = f.graph().DeviceToDataY(150, f.page());
    MoveTo(f.view, {240, 130}, Qt::MiddleButton, Qt::ControlModifier);
    MoveTo(f.view, {260, 120}, Qt::MiddleButton, Qt::ControlModifier);
    // The data value that was under the pointer is under it again.
    EXPECT_NEAR(f.graph().DeviceToDataX(260, f.page()), dataAtStart, 0.02 * (before.m_xMax - before.m_xMin));
    EXPECT_NEAR(f.graph().DeviceToDataY(120, f.page()), yAtStart, 0.02 * (before.m_yMax - before.m_yMin));
    EXPECT_NEAR(f.graph().m_xMax - f.graph().m_xMin, before.m_xMax - before.m_xMin, 1e-3);
    EXPECT_LT(f.graph().m_xMin, before.m_xMin);
    EXPECT_LT(f.graph().m_yMin, before.m_yMin) << "the data move up with the pointer";
    Release(f.view, {260, 120}, Qt::MiddleButton);
    EXPECT_EQ(f.view.Interaction().MouseMode(), CViewInteraction::Normal);

    // Losing the focus leaves panning too.
    Press(f.view, {200, 150}, Qt::MiddleButton, Qt::ControlModifier);
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(&f.view, &out);
    EXPECT_EQ(f.view.Interaction().MouseMode(), CViewInteraction::Normal);
}

TEST(ViewInteraction, CrossHairsAreOverlaysOverTheCachedPage)
{
    ViewFixture f;
    bool checked = false;
    ASSERT_TRUE(f.view.OnCommand(CommandId::ViewCrossHairs));
    ASSERT_TRUE(f.view.IsCommandChecked(CommandId::ViewCrossHairs, &checked));
    EXPECT_TRUE(checked);
    const QImage plain = f.view.grab().toImage();
    const int renders = f.view.RenderCount();
    for (int x = 60; x < 340; x += 7)
        MoveTo(f.view, {x, 90 + x / 10});
    EXPECT_EQ(f.status[1].rfind("X = ", 0), 0u) << f.status[1];
    EXPECT_EQ(f.status[2], "G0");
    const QImage crossed = f.view.grab().toImage();
    EXPECT_EQ(f.view.RenderCount(), renders) << "moving the mouse never draws the graphs";
    const QPoint cross = f.view.Interaction().CrossPosition();
    EXPECT_EQ(cross, QPoint(333, 123));
    // Inverted lines through the pointer, the rest of the page untouched.
    for (QPoint at : {QPoint(cross.x(), 5), QPoint(5, cross.y()), QPoint(cross.x(), 295)})
        EXPECT_EQ(crossed.pixel(at), ~plain.pixel(at) | 0xFF000000u) << at.x() << "," << at.y();
    EXPECT_EQ(crossed.pixel(cross.x() - 3, 5), plain.pixel(cross.x() - 3, 5));

    f.view.OnCommand(CommandId::ViewCrossHairs);
    EXPECT_EQ(f.view.grab().toImage(), plain);
}

TEST(ViewInteraction, DraggingATitleMovesItByPageFractions)
{
    ViewFixture f;
    TextObject& title = f.graph().m_title;
    const BoundingBox box = title.GetBoundingBox(f.page());
    ASSERT_GT(box.halfWidth, 0);
    const QPoint start(box.x, box.y);
    const float x0 = title.m_x, y0 = title.m_y;
    Press(f.view, start);
    EXPECT_EQ(f.view.Interaction().Selection(), &title);
    EXPECT_TRUE(f.view.IsCommandEnabled(CommandId::EditClearSelection));
    MoveTo(f.view, start + QPoint(20, 10), Qt::LeftButton);
    MoveTo(f.view, start + QPoint(40, 30), Qt::LeftButton);
    EXPECT_TRUE(f.view.Interaction().Dragging());
    Release(f.view, start + QPoint(40, 30));
    EXPECT_FALSE(f.view.Interaction().Dragging());
    EXPECT_NEAR(title.m_x - x0, 40.0f / 400.0f, 1e-5);
    EXPECT_NEAR(title.m_y - y0, -30.0f / 300.0f, 1e-5);
    EXPECT_TRUE(f.doc.IsModified());

    // A click on empty page drops the selection and says how to move graphs.
    Press(f.view, {3, 297});
    Release(f.view, {3, 297});
    EXPECT_EQ(f.view.Interaction().Selection(), nullptr);
    EXPECT_EQ(f.status[0], "Shift + Left button to move");
    EXPECT_FALSE(f.view.IsCommandEnabled(CommandId::EditClearSelection));
}

TEST(ViewInteraction, ShiftDragMovesTheWholeGraphOrOneEdge)
{
    struct Row { const char* name; QPoint start; float left, right, bottom, top; };
    // The plot area spans x 50..350 and y 37..262 on a 400 x 300 page.
    const Row rows[] = {
        {"inside", {200, 150}, 0.05f, 0.05f, -0.05f, -0.05f},
        {"left axis", {50, 150}, 0.05f, 0.0f, 0.0f, 0.0f},
        {"right axis", {350, 150}, 0.0f, 0.05f, 0.0f, 0.0f},
        {"bottom axis", {200, 262}, 0.0f, 0.0f, -0.05f, 0.0f},
        {"top axis", {200, 37}, 0.0f, 0.0f, 0.0f, -0.05f},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ViewFixture f;
        const Graph before = f.graph();
        Press(f.view, row.start, Qt::LeftButton, Qt::ShiftModifier);
        EXPECT_EQ(f.view.Interaction().Selection(), &f.graph());
        MoveTo(f.view, row.start + QPoint(20, 15), Qt::LeftButton, Qt::ShiftModifier);
        Release(f.view, row.start + QPoint(20, 15), Qt::LeftButton, Qt::ShiftModifier);
        EXPECT_NEAR(f.graph().m_left - before.m_left, row.left, 1e-5);
        EXPECT_NEAR(f.graph().m_right - before.m_right, row.right, 1e-5);
        EXPECT_NEAR(f.graph().m_bottom - before.m_bottom, row.bottom, 1e-5);
        EXPECT_NEAR(f.graph().m_top - before.m_top, row.top, 1e-5);
    }
}

TEST(ViewInteraction, UserLabelIsPlacedAtTheClickAndEditedOnDoubleClick)
{
    ViewFixture f;
    std::string caption;
    QString typed = "Peak";
    f.view.SetTextDialogRunner([&](CTextDialog& dialog) {
        caption = dialog.windowTitle().toStdString();
        dialog.TextEdit()->setPlainText(typed);
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(f.view.OnCommand(CommandId::GraphUserLabel));
    EXPECT_EQ(f.view.Interaction().MouseMode(), CViewInteraction::LabelArmed);
    Press(f.view, {100, 240});
    Release(f.view, {100, 240});
    EXPECT_EQ(f.view.Interaction().MouseMode(), CViewInteraction::Normal);
    EXPECT_EQ(caption, "Add a text lable");
    ASSERT_EQ(f.doc.m_labels.Count(), 1);
    const TextObject& label = f.doc.m_labels.Get(0);
    EXPECT_EQ(label.m_text, "Peak");
    EXPECT_FLOAT_EQ(label.m_x, 0.25f);
    EXPECT_FLOAT_EQ(label.m_y, 0.2f);
    EXPECT_TRUE(f.doc.IsModified());

    // An empty text adds nothing.
    typed = "";
    f.view.OnCommand(CommandId::InsertText);
    Press(f.view, {300, 240});
    Release(f.view, {300, 240});
    EXPECT_EQ(f.doc.m_labels.Count(), 1);

    // A double click on the label edits it.
    f.view.grab();
    typed = "Valley";
    Press(f.view, {100, 240});
    Release(f.view, {100, 240});
    Mouse(f.view, QEvent::MouseButtonDblClick, {100, 240}, Qt::LeftButton, Qt::LeftButton);
    Release(f.view, {100, 240});
    EXPECT_EQ(caption, "Edit text");
    EXPECT_EQ(f.doc.m_labels.Get(0).m_text, "Valley");

    // Clear selection empties the selected label.
    Press(f.view, {100, 240});
    Release(f.view, {100, 240});
    ASSERT_TRUE(f.view.OnCommand(CommandId::EditClearSelection));
    EXPECT_EQ(f.doc.m_labels.Get(0).m_text, "");
    EXPECT_EQ(f.view.Interaction().Selection(), nullptr);
}

TEST(ViewInteraction, DoubleClickChoosesTheEditorOfWhatWasHit)
{
    struct Row { const char* name; QPoint at; ViewAction action; };
    const Row rows[] = {
        {"bottom axis", {200, 262}, ViewAction::XAxis},
        {"left axis", {50, 150}, ViewAction::YAxis},
        {"plot area with sets: the animation window", {200, 150}, ViewAction::Animate},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ViewFixture f;
        f.view.Interaction().Press(row.at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        EXPECT_EQ(f.view.Interaction().DoubleClick(row.at), row.action);
    }
    ViewFixture f;
    const BoundingBox title = f.graph().m_title.GetBoundingBox(f.page());
    f.view.Interaction().Press({title.x, title.y}, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    EXPECT_EQ(f.view.Interaction().DoubleClick({title.x, title.y}), ViewAction::EditTitle);
}

TEST(ViewInteraction, CtrlClickShowsTheNearestPoint)
{
    ViewFixture f;
    const QPoint at(f.graph().DataToDeviceX(5.2f, f.page()), f.graph().DataToDeviceY(9.7f, f.page()));
    Press(f.view, at, Qt::LeftButton, Qt::ControlModifier);
    Release(f.view, at, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(f.status[0], "Set 0: point (5, 10)");
    EXPECT_EQ(f.status[1].rfind("X = 5.", 0), 0u) << f.status[1];
}

namespace {

// A fixture page whose legend shows the set in a box.
void ShowLegend(ViewFixture& f)
{
    f.graph().m_plots.Get(0).m_label.m_text = "twice x";
    f.graph().m_legend.m_visible = 1;
    f.graph().m_legend.m_showBox = 1;
    f.view.Refresh();
    f.view.grab();
}

} // namespace

TEST(ViewInteraction, TheLegendIsDraggedAndWinsOverTheGraph)
{
    ViewFixture f;
    ShowLegend(f);
    Legend& legend = f.graph().m_legend;
    const BoundingBox box = legend.GetBoundingBox(f.page());
    ASSERT_GT(box.halfWidth, 0);
    const float x0 = legend.m_x, y0 = legend.m_y;
    const QPoint start(box.x, box.y);
    Press(f.view, start);
    EXPECT_EQ(f.view.Interaction().Selection(), &legend) << "the legend, not the graph around it";
    EXPECT_EQ(legend.m_selected, 1);
    EXPECT_EQ(f.graph().m_selected, 0);
    MoveTo(f.view, start + QPoint(-60, 45), Qt::LeftButton);
    Release(f.view, start + QPoint(-60, 45));
    EXPECT_NEAR(legend.m_x - x0, -60.0f / 400.0f, 1e-5);
    EXPECT_NEAR(legend.m_y - y0, -45.0f / 300.0f, 1e-5);
    EXPECT_EQ(f.view.Interaction().DoubleClick(start), ViewAction::EditLegend);
}

// Pictures for the documentation: with CORVID_SCREENSHOT_DIR set (and a real
// display, as under xvfb-run with QT_QPA_PLATFORM=xcb) the window is shown
// before and after a zoom and after a legend drag, and saved there.
TEST(ViewScreenshots, ZoomAndDraggedLegend)
{
    const char* folder = std::getenv("CORVID_SCREENSHOT_DIR");
    if (!folder)
        GTEST_SKIP() << "set CORVID_SCREENSHOT_DIR to write the pictures";
    ViewFixture f;
    Graph& graph = f.graph();
    graph.m_plots.Clear();
    Plot plot;
    for (int i = 0; i < 400; ++i) {
        const float t = float(i) * 0.05f;
        plot.AddPoint(t, std::exp(-0.15f * t) * std::cos(2.0f * t));
    }
    plot.m_label.m_text = "damped oscillation";
    graph.m_plots.Append(plot);
    graph.SyncPlotGeometry();
    graph.AutoScale(true, f.messages);
    graph.m_legend.m_visible = 1;
    graph.m_legend.m_showBox = 1;
    f.view.resize(640, 480);
    f.view.show();
    f.view.Refresh();
    QCoreApplication::processEvents();
    const QString dir = QString::fromUtf8(folder);
    f.view.grab().save(dir + "/view-before-zoom.png");
    f.view.OnCommand(CommandId::ViewZoom);
    Press(f.view, {120, 120});
    MoveTo(f.view, {330, 330}, Qt::LeftButton);
    f.view.grab().save(dir + "/view-zoom-rectangle.png");
    Release(f.view, {330, 330});
    f.view.grab().save(dir + "/view-after-zoom.png");
    const BoundingBox box = graph.m_legend.GetBoundingBox(PageRect{0, 0, 640, 480});
    Press(f.view, {box.x, box.y});
    MoveTo(f.view, {box.x + 150, box.y - 120}, Qt::LeftButton);
    Release(f.view, {box.x + 150, box.y - 120});
    f.view.grab().save(dir + "/view-dragged-legend.png");
}
