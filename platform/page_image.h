#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class CTarnDoc;

/// Draws the whole page into a new image of `size` pixels.
QImage RenderPageImage(const CTarnDoc& doc, QSize size);

/// Writes the page to `path` as PNG, BMP, SVG or PDF, chosen by the file's
/// extension, at `size` pixels. Returns an empty string on success, otherwise
/// the reason it failed.
QString ExportPage(const CTarnDoc& doc, const QString& path, QSize size);
