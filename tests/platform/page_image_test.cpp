#include "platform/page_image.h"

#include "document/tarn_doc.h"
#include "platform/qt_canvas.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <cmath>
#include <cstdlib>

namespace {

// Qt needs an application object for fonts and painting on images.
QGuiApplication& App()
{
    static int argc = 1;
    static char name[] = "corvid_platform_tests";
    static char* argv[] = {name, nullptr};
    // Created once and never destroyed: tearing Qt down at exit is not needed.
    if (!QGuiApplication::instance())
        new QGuiApplication(argc, argv);
    return *static_cast<QGuiApplication*>(QCoreApplication::instance());
}

// Root-mean-square difference of two images over all channels, 0 to 255.
double RmsDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 255.0;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0.0;
    for (int row = 0; row < x.height(); ++row)
        for (int column = 0; column < x.width(); ++column) {
            const QRgb p = x.pixel(column, row);
            const QRgb q = y.pixel(column, row);
            for (int shift : {0, 8, 16}) {
                const double d = double((p >> shift) & 0xFF) - double((q >> shift) & 0xFF);
                sum += d * d;
            }
        }
    return std::sqrt(sum / (3.0 * x.width() * x.height()));
}

const QString kGolden = QString(CORVID_SOURCE_DIR) + "/tests/platform/golden/default_page.png";

} // namespace

TEST(PageImage, DefaultPageMatchesGolden)
{
    App();
    CTarnDoc doc;
    const QImage image = RenderPageImage(doc, QSize(160, 120));
    if (std::getenv("CORVID_UPDATE_GOLDEN")) {
        ASSERT_TRUE(image.save(kGolden));
    }
    QImage golden(kGolden);
    ASSERT_FALSE(golden.isNull()) << "missing " << kGolden.toStdString();
    EXPECT_LT(RmsDifference(image, golden), 2.0);
    // The frame itself: the left axis line at x = 20, white plot area inside.
    EXPECT_EQ(image.pixel(20, 60), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(80, 60), qRgb(255, 255, 255));
}

TEST(PageImage, ExportWritesEveryTypeAndRefusesOthers)
{
    App();
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
    App();
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        canvas.FillRect({2, 2, 6, 6}, 0x0000FF); // red, 4 x 4 pixels
        canvas.SetBrush(Brush::Hollow());
        canvas.Rectangle({10, 10, 15, 15});
        canvas.SetRasterMode(RasterMode::Not);
        canvas.Rectangle({0, 0, 20, 20});
        canvas.Rectangle({0, 0, 20, 20});
    }
    EXPECT_EQ(image.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(6, 5), qRgb(255, 255, 255)) << "right edge is exclusive";
    EXPECT_EQ(image.pixel(14, 12), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(15, 12), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255)) << "inverting twice erases";
}

TEST(QtCanvas, TextMetricsFollowTheFontHeight)
{
    App();
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
