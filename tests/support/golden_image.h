#pragma once
// The shared part of the golden-image tests: the GUI application that fonts
// and image painting need, the difference of two images, and the comparison
// of a rendered image with its stored golden file.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <cmath>
#include <cstdlib>

/// Qt needs an application object for fonts and painting on images. It is
/// created once and never destroyed: tearing Qt down at exit is not needed.
inline QGuiApplication& GuiApplication()
{
    static int argc = 1;
    static char name[] = "corvid_platform_tests";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance())
        new QGuiApplication(argc, argv);
    return *static_cast<QGuiApplication*>(QCoreApplication::instance());
}

/// Root-mean-square difference of two images over all channels, 0 to 255;
/// images of different sizes differ by 255.
inline double RmsDifference(const QImage& a, const QImage& b)
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

/// The stored golden image `name` of tests/platform/golden/.
inline QString GoldenPath(const QString& name)
{
    return QString(CORVID_SOURCE_DIR) + "/tests/platform/golden/" + name;
}

/// Checks that `image` differs from the golden image `name` by less than
/// `tolerance` (RMS). With CORVID_UPDATE_GOLDEN set, `image` first becomes
/// the new golden image. Call it inside ASSERT_NO_FATAL_FAILURE so that a
/// missing golden file ends the test.
inline void ExpectMatchesGolden(const QImage& image, const QString& name, double tolerance)
{
    const QString path = GoldenPath(name);
    if (std::getenv("CORVID_UPDATE_GOLDEN")) {
        ASSERT_TRUE(image.save(path));
    }
    const QImage golden(path);
    ASSERT_FALSE(golden.isNull()) << "missing " << path.toStdString();
    EXPECT_LT(RmsDifference(image, golden), tolerance);
}
