#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

class CTarnDoc;

/// Draws the whole page into a new image of `size` pixels, as printed: every
/// graph is in print mode meanwhile, so no selection marks are drawn. A size
/// that cannot be allocated gives a null image.
QImage RenderPageImage(CTarnDoc& doc, QSize size);

/// Writes the page to `path` as PNG, BMP, SVG or PDF, chosen by the file's
/// extension, at `size` pixels. Returns an empty string on success, otherwise
/// the reason it failed.
QString ExportPage(CTarnDoc& doc, const QString& path, QSize size);

/// Writes the page to `path` in the format named by `type` ("png", "bmp",
/// "svg" or "pdf"), whatever the file's name says; otherwise as ExportPage.
QString ExportPageAs(CTarnDoc& doc, const QString& path, const QString& type, QSize size);

/// The page as an SVG picture of `size`, drawn as printed; empty on failure.
QByteArray PageSvg(CTarnDoc& doc, QSize size);
