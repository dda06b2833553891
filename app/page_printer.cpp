#include "app/page_printer.h"

#include "document/page_drawing.h"
#include "document/tarn_doc.h"
#include "model/messages.h"
#include "model/page_rect.h"
#include "platform/page_image.h"
#include "platform/qt_canvas.h"
#include "render/graph.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>

QRect FitPageAspect(const QRect& area, QSize screenPage)
{
    if (area.isEmpty() || screenPage.isEmpty())
        return {};
    const double aspect = double(screenPage.height()) / screenPage.width();
    int width = area.width();
    int height = int(std::floor(width * aspect));
    if (height > area.height()) {
        height = area.height();
        width = int(std::floor(height / aspect));
    }
    return QRect(area.left() + (area.width() - width) / 2, area.top() + (area.height() - height) / 2, width, height);
}

void DrawPrintedPage(CTarnDoc& doc, Canvas& canvas, const PageRect& rect, int printerDpi, int screenDpi)
{
    const int den = screenDpi > 0 ? screenDpi : 96;
    for (int i = 0; i < doc.m_graphCount; ++i)
        doc.m_graphs[i].BeginPrintScaling(canvas, printerDpi, den, rect);
    for (int i = 0; i < doc.m_labels.Count(); ++i)
        doc.m_labels.Get(i).BeginPrintScaling(canvas, printerDpi, den, rect);
    PageDrawOptions options;
    options.printing = true;
    DrawPage(doc, canvas, rect, options);
    for (int i = 0; i < doc.m_graphCount; ++i)
        doc.m_graphs[i].EndPrintScaling(canvas, rect);
    for (int i = 0; i < doc.m_labels.Count(); ++i)
        doc.m_labels.Get(i).EndPrintScaling(canvas, rect);
}

QRect PrintPage(CTarnDoc& doc, QPrinter& printer, QSize screenPage, int screenDpi)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return {};
    // The painter's origin is the top left of the printer's drawing rectangle.
    const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRect region = FitPageAspect(QRect(QPoint(0, 0), paint.size()), screenPage);
    QtCanvas canvas(painter);
    DrawPrintedPage(doc, canvas, {region.left(), region.top(), region.right() + 1, region.bottom() + 1},
                    printer.resolution(), screenDpi);
    painter.end();
    return region;
}

// The facts of a printer that stands for an installed one.
static PrinterFacts InstalledPrinterFacts(const QPrinter& printer)
{
    PrinterFacts facts;
    facts.hasDefault = true;
    if (!printer.isValid())
        return facts;
    facts.valid = true;
    const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
    facts.width = paint.width();
    facts.height = paint.height();
    return facts;
}

PrinterFacts DefaultPrinterFacts()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return {};
    return InstalledPrinterFacts(QPrinter(info, QPrinter::HighResolution));
}

PrinterFacts PrinterFacts::Of(const QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::NativeFormat || printer.printerName().isEmpty())
        return DefaultPrinterFacts();
    return InstalledPrinterFacts(printer);
}

bool PrinterAspect(const PrinterFacts& facts, Messages& messages, float& aspect)
{
    aspect = 1.0f;
    if (!facts.hasDefault) {
        messages.Show("Please install a default printer to use WYSIWYG mode");
        return false;
    }
    if (!facts.valid) {
        messages.Show("Unable to load printer dimensions for WYSIWYG mode");
        return false;
    }
    if (facts.width == 0) {
        messages.Show("Unable to set aspect ratio for WYSIWYG mode");
        return false;
    }
    aspect = float(facts.height) / float(facts.width);
    return true;
}

void CopyPageToClipboard(CTarnDoc& doc, QSize size, Messages& messages)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto* data = new QMimeData;
    data->setImageData(RenderPageImage(doc, size));
    data->setData("image/svg+xml", PageSvg(doc, size));
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setMimeData(data);
    else {
        delete data;
        messages.Show("Can't open the clipboard (it's already open in another application).");
    }
    QApplication::restoreOverrideCursor();
}
