#include "app/image_export.h"

#include "model/messages.h"
#include "platform/page_image.h"
#include "platform/page_raster.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

QStringList ImageExportFilters()
{
    return {"Bitmap files (*.bmp)", "PNG files (*.png)", "SVG files (*.svg)", "PDF files (*.pdf)"};
}

ImageFileChoice ChooseImageFile(QWidget* parent)
{
    const QStringList filters = ImageExportFilters();
    QString selected = filters.front();
    ImageFileChoice choice;
    choice.path = QFileDialog::getSaveFileName(parent, "Export Image", QDir::currentPath(), filters.join(";;"),
                                               &selected);
    if (!choice.path.isEmpty())
        choice.filter = ImageFilter(filters.indexOf(selected) + 1);
    return choice;
}

bool WriteImageByFilter(CTarnDoc& doc, const std::string& path, ImageFilter filter, int width, int height,
                        Messages& messages)
{
    switch (filter) {
    case ImageFilter::Bmp:
    case ImageFilter::Png: {
        // Writing a large picture takes a while: the busy cursor says so.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const bool written = ExportPageImage(doc, path, filter == ImageFilter::Bmp ? ImageFormat::Bmp : ImageFormat::Png,
                                             width, height, messages);
        QApplication::restoreOverrideCursor();
        return written;
    }
    case ImageFilter::Svg:
    case ImageFilter::Pdf: {
        const QString error = ExportPageAs(doc, QString::fromStdString(path), filter == ImageFilter::Svg ? "svg" : "pdf",
                                           QSize(width, height));
        if (error.isEmpty())
            return true;
        messages.Show(error.toStdString());
        return false;
    }
    default:
        messages.Show("Unknown file format!");
        return false;
    }
}
