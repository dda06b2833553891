#pragma once

#include <QString>
#include <QStringList>

#include <string>

class CTarnDoc;
class Messages;
class QWidget;

/// The formats of the "Export Image" file dialog, in filter order.
enum class ImageFilter { None = 0, Bmp = 1, Png = 2, Svg = 3, Pdf = 4 };

/// The file and filter chosen in the "Export Image" dialog; an empty path
/// when it was cancelled.
struct ImageFileChoice {
    QString path;
    ImageFilter filter = ImageFilter::None;
};

/// The dialog's filters: "Bitmap files (*.bmp)", "PNG files (*.png)", and
/// the vector formats after them.
QStringList ImageExportFilters();

/// The save dialog titled "Export Image", asking before it overwrites.
ImageFileChoice ChooseImageFile(QWidget* parent);

/// Writes the page to `path` as the chosen filter says, whatever the name's
/// ending: BMP and PNG through the raster writers at `width` x `height`,
/// SVG and PDF as vector pages of that size; an unknown filter is "Unknown
/// file format!". Every failure is shown through `messages`.
bool WriteImageByFilter(CTarnDoc& doc, const std::string& path, ImageFilter filter, int width, int height,
                        Messages& messages);
