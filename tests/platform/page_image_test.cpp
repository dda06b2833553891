#include "platform/page_image.h"

#include "document/tarn_doc.h"
#include "platform/qt_canvas.h"
#include "tests/platform/canvas_image.h"
#include "tests/support/golden_image.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

TEST(PageImage, DefaultPageMatchesGolden)
{
    GuiApplication();
    CTarnDoc doc;
    const QImage image = RenderPageImage(doc, QSize(160, 120));
    ASSERT_NO_FATAL_FAILURE(ExpectMatchesGolden(image, "default_page.png", 2.0));
    // The frame itself: the left axis line at x = 20, white plot area inside.
    EXPECT_EQ(image.pixel(20, 60), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(80, 60), qRgb(255, 255, 255));
}

TEST(PageImage, ExportWritesEveryTypeAndRefusesOthers)
{
    GuiApplication();
    CTarnDoc doc;
    QTemporaryDir dir;
    struct Row { const char* name; const char* magic; };
    for (Row row : {Row{"page.png", "\x89PNG"}, Row{"page.bmp", "BM"}, Row{"page.svg", "<?xml"},
                    Row{"page.pdf", "%PDF"}}) {
        SCOPED_TRACE(row.name);
        const QString path = dir.filePath(row.name);
        EXPECT_EQ(ExportPage(doc, path, QSize(200, 150)).toStdString(), "");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.read(16).startsWith(row.magic));
    }
    EXPECT_EQ(ExportPage(doc, dir.filePath("page.gif"), QSize(10, 10)).toStdString(),
              "unsupported image type \"gif\" (use .png, .bmp, .svg or .pdf)");
    EXPECT_EQ(ExportPage(doc, dir.filePath("page.png"), QSize(0, 10)).toStdString(),
              "invalid image size 0 x 10");
    EXPECT_NE(ExportPage(doc, dir.filePath("missing/dir/page.png"), QSize(10, 10)).toStdString(), "");
}

TEST(QtCanvas, ExclusiveEdgesAndInvertedDrawing)
{
    GuiApplication();
    const QImage image = CanvasImage({20, 20}, [](QtCanvas& canvas) {
        canvas.FillRect({2, 2, 6, 6}, 0x0000FF); // red, 4 x 4 pixels
        canvas.SetBrush(Brush::Hollow());
        canvas.Rectangle({10, 10, 15, 15});
        canvas.SetRasterMode(RasterMode::Not);
        canvas.Rectangle({0, 0, 20, 20});
        canvas.Rectangle({0, 0, 20, 20});
    });
    EXPECT_EQ(image.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(6, 5), qRgb(255, 255, 255)) << "right edge is exclusive";
    EXPECT_EQ(image.pixel(14, 12), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(15, 12), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255)) << "inverting twice erases";
}

TEST(QtCanvas, TextMetricsFollowTheFontHeight)
{
    GuiApplication();
    QImage image(100, 100, QImage::Format_RGB32);
    QPainter painter(&image);
    QtCanvas canvas(painter);
    LogFont font;
    font.height = -14;
    canvas.SetFont(font);
    const TextSize small = canvas.MeasureText("Graph");
    font.height = -28;
    canvas.SetFont(font);
    const TextSize large = canvas.MeasureText("Graph");
    EXPECT_GT(small.width, 0);
    EXPECT_GT(large.width, small.width * 3 / 2);
    EXPECT_GT(canvas.GetFontMetrics().ascent, canvas.GetFontMetrics().descent);
    EXPECT_GT(canvas.MeasureGlyph(U'W').advance, canvas.MeasureGlyph(U'i').advance);
}
