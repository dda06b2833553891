// Printing, print preview geometry, WYSIWYG, page copy and the view's
// high-density page copy.
#include "app/main_frame.h"
#include "app/page_printer.h"
#include "app/tarn_view.h"

#include "document/tarn_doc.h"
#include "model/drawing_settings.h"
#include "platform/app_settings.h"
#include "platform/page_buffer.h"
#include "render/graph.h"
#include "render/recording_canvas.h"
#include "tests/app/command_fixture.h"
#include "tests/render/test_messages.h"
#include "tests/support/qt_application.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QDialog>
#include <QTimer>
#include <QMimeData>
#include <QPageLayout>
#include <QPrinter>

#include <fstream>

TEST(Printing, LargestRectangleOfThePageAspectIsCentred)
{
    struct Row { QRect area; QSize page; QRect expected; };
    const Row rows[] = {
        {{0, 0, 1000, 1000}, {400, 200}, {0, 250, 1000, 500}},  // twice as wide: centred vertically
        {{0, 0, 1000, 1000}, {200, 400}, {250, 0, 500, 1000}},  // twice as high: centred horizontally
        {{10, 20, 600, 300}, {400, 300}, {110, 20, 400, 300}},
        {{0, 0, 4958, 7017}, {640, 480}, {0, 1649, 4958, 3718}},
        {{0, 0, 100, 100}, {0, 300}, {}},
        {{0, 0, 0, 100}, {300, 300}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.page.width());
        EXPECT_EQ(FitPageAspect(row.area, row.page), row.expected);
    }
}

TEST(Printing, PrintScalingCoversEveryObjectAndIsUndoneAfterwards)
{
    TestApplication();
    CTarnDoc doc;
    doc.m_labels.Append(TextObject("note"));
    Graph& graph = doc.CurrentGraph();
    graph.m_title.m_selected = 1;
    const int titleHeight = graph.m_title.m_font.height;
    RecordingCanvas canvas;
    DrawPrintedPage(doc, canvas, {100, 200, 1100, 900}, 600, 96);
    ASSERT_FALSE(canvas.m_records.empty());
    const auto& fill = canvas.m_records.front();
    EXPECT_EQ(fill.kind, RecordingCanvas::Kind::FillRect) << "the printed page is always filled";
    EXPECT_EQ(fill.rect, (DeviceRect{100, 200, 1100, 900}));
    // Texts were drawn at the printer's scale: a larger font than on screen.
    bool scaledText = false;
    for (const auto& record : canvas.m_records)
        if (record.kind == RecordingCanvas::Kind::Text && record.text == "Graph")
            scaledText = std::abs(record.font.height) > std::abs(titleHeight) * 5;
    EXPECT_TRUE(scaledText);
    EXPECT_EQ(graph.m_title.m_font.height, titleHeight);
    EXPECT_EQ(graph.m_printMode, 0);
    EXPECT_EQ(graph.m_scaleNum, 1);
    EXPECT_EQ(doc.m_labels.Get(0).m_printMode, 0);
    EXPECT_EQ(graph.m_title.m_selected, 1) << "printing leaves the selection alone";
}

TEST(Printing, PrintToPdfKeepsTheWindowsAspect)
{
    TestApplication();
    ScratchDir dir;
    CTarnDoc doc;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const std::string path = dir / "page.pdf";
    printer.setOutputFileName(QString::fromStdString(path));
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10)));
    const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
    // A window twice as wide as high prints twice as wide as high, centred vertically.
    const QRect region = PrintPage(doc, printer, QSize(800, 400), 96);
    EXPECT_EQ(region.width(), paint.width());
    EXPECT_EQ(region.height(), paint.width() / 2);
    EXPECT_EQ(region.left(), 0);
    EXPECT_EQ(region.top(), (paint.height() - region.height()) / 2);
    std::ifstream file(path, std::ios::binary);
    std::string head(4, '\0');
    file.read(head.data(), 4);
    EXPECT_EQ(head, "%PDF");
}

TEST(Wysiwyg, PrinterQueryMessagesAndTheFramesLock)
{
    TestApplication();
    struct Row { PrinterFacts facts; bool on; float aspect; const char* message; };
    const Row rows[] = {
        {{false, false, 0, 0}, false, 1.0f, "Please install a default printer to use WYSIWYG mode"},
        {{true, false, 0, 0}, false, 1.0f, "Unable to load printer dimensions for WYSIWYG mode"},
        {{true, true, 0, 500}, false, 1.0f, "Unable to set aspect ratio for WYSIWYG mode"},
        {{true, true, 1000, 1250}, true, 1.25f, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        FrameFixture fixture;
        auto& [doc, messages, settings, frame] = fixture;
        frame.resize(300, 400);
        frame.show();
        QCoreApplication::processEvents();
        frame.View()->SetPrinterFacts([&] { return row.facts; });
        ASSERT_TRUE(frame.View()->OnCommand(CommandId::ViewWysiwyg));
        bool checked = !row.on;
        ASSERT_TRUE(frame.View()->IsCommandChecked(CommandId::ViewWysiwyg, &checked));
        EXPECT_EQ(checked, row.on);
        EXPECT_FLOAT_EQ(frame.View()->PrinterAspectRatio(), row.aspect);
        EXPECT_EQ(frame.AspectLocked(), row.on);
        QCoreApplication::processEvents();
        if (row.on) {
            EXPECT_TRUE(messages.shown.empty());
            EXPECT_EQ(frame.View()->height(), int(frame.View()->width() * 1.25f));
            EXPECT_LT(frame.maximumHeight(), QWIDGETSIZE_MAX) << "the size limits are applied";
            frame.View()->OnCommand(CommandId::ViewWysiwyg);
            EXPECT_FALSE(frame.AspectLocked());
        } else {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0], row.message);
        }
    }
}

TEST(Wysiwyg, ABottomEdgeDragMakesTheWidthFollow)
{
    FrameFixture fixture;
    auto& [doc, messages, settings, frame] = fixture;
    frame.resize(600, 500);
    frame.show();
    frame.LockAspect(0.5f);
    const int width = frame.View()->width();
    frame.resize(frame.width(), frame.height() + 60);
    QCoreApplication::processEvents();
    EXPECT_GT(frame.View()->width(), width) << "the width follows the height";
    EXPECT_NEAR(frame.View()->height(), frame.View()->width() * 0.5, 2.0);
}

TEST(CopyPage, ClipboardHoldsABitmapAndAnSvgPicture)
{
    TestApplication();
    CTarnDoc doc;
    RecordingMessages messages;
    CTarnView view(doc, messages);
    view.resize(320, 200);
    doc.CurrentGraph().m_title.m_selected = 1;
    ASSERT_TRUE(view.OnCommand(CommandId::EditCopy));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    ASSERT_TRUE(data->hasImage());
    const QImage image = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(image.size(), QSize(320, 200));
    ASSERT_TRUE(data->hasFormat("image/svg+xml"));
    EXPECT_TRUE(data->data("image/svg+xml").startsWith("<?xml"));
    EXPECT_EQ(doc.CurrentGraph().m_printMode, 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(PageBuffer, HighDensityCopyHasTheDeviceResolution)
{
    TestApplication();
    CTarnDoc doc;
    PageBuffer buffer;
    const QImage& image = buffer.Image(doc, QSize(200, 150), nullptr, 2.0);
    EXPECT_EQ(image.size(), QSize(400, 300));
    EXPECT_DOUBLE_EQ(image.devicePixelRatio(), 2.0);
    EXPECT_FALSE(buffer.NeedsDrawing(QSize(200, 150), 2.0));
    EXPECT_TRUE(buffer.NeedsDrawing(QSize(200, 150), 1.0));
    // The left axis is one window unit wide: two device pixels, not a blur.
    const QImage plain = PageBuffer().Image(doc, QSize(200, 150));
    int dark1 = 0, dark2 = 0;
    for (int x = 0; x < 200; ++x)
        dark1 += qGray(plain.pixel(x, 75)) < 128;
    for (int x = 0; x < 400; ++x)
        dark2 += qGray(image.pixel(x, 150)) < 128;
    EXPECT_GE(dark2, 2 * dark1 - 2);
}

TEST(Wysiwyg, PrintSetupRunsThePrinterQueryAgain)
{
    FrameFixture fixture;
    auto& [doc, messages, settings, frame] = fixture;
    PrinterFacts facts{true, true, 1000, 800};
    frame.View()->SetPrinterFacts([&] { return facts; });
    frame.Action(CommandId::ViewWysiwyg)->trigger();
    EXPECT_FLOAT_EQ(frame.View()->PrinterAspectRatio(), 0.8f);
    EXPECT_FLOAT_EQ(frame.AspectRatio(), 0.8f);
    // The printer's page turns to portrait in the setup dialog, reached as
    // the user reaches it: through the File menu's item, enabled as it opens.
    facts = {true, true, 800, 1000};
    QAction* setup = frame.Action(CommandId::FilePrintSetup);
    for (QMenu* menu : frame.findChildren<QMenu*>())
        if (menu->actions().contains(setup))
            emit menu->aboutToShow();
    EXPECT_TRUE(setup->isEnabled());
    bool opened = false;
    WhenModal([&](QDialog& dialog) {
        opened = true;
        dialog.reject();
    });
    setup->trigger();
    EXPECT_TRUE(opened);
    EXPECT_FLOAT_EQ(frame.View()->PrinterAspectRatio(), 1.25f);
    EXPECT_TRUE(frame.AspectLocked());
    EXPECT_FLOAT_EQ(frame.AspectRatio(), 1.25f);
    EXPECT_TRUE(messages.shown.empty());
}
