// The "Image ..." command: the chosen filter decides the format, the size
// dialog checks its fields, and the messages of every failure.
#include "app/image_export.h"
#include "app/tarn_view.h"

#include "document/tarn_doc.h"
#include "tests/render/test_messages.h"
#include "tests/support/png_reading.h"
#include "tests/support/qt_application.h"
#include "tests/support/scratch_dir.h"
#include "ui/image_size_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>

#include <fstream>

namespace {

std::string Head(const std::string& path, std::size_t count)
{
    std::ifstream file(path, std::ios::binary);
    std::string bytes(count, '\0');
    file.read(bytes.data(), std::streamsize(count));
    bytes.resize(std::size_t(file.gcount()));
    return bytes;
}

} // namespace

TEST(ImageExport, TheFilterNotTheNameDecidesTheFormat)
{
    TestApplication();
    ScratchDir dir;
    struct Row { const char* name; ImageFilter filter; std::string magic; };
    const Row rows[] = {
        {"page.bmp", ImageFilter::Png, "\x89PNG"},
        {"page.png", ImageFilter::Bmp, "BM"},
        {"page", ImageFilter::Bmp, "BM"},
        {"page.pdf", ImageFilter::Svg, "<?xml"},
        {"page.svg", ImageFilter::Pdf, "%PDF"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CTarnDoc doc;
        RecordingMessages messages;
        CTarnView view(doc, messages);
        view.resize(320, 240);
        const std::string path = dir / row.name;
        view.SetImageFileChooser([&] { return ImageFileChoice{QString::fromStdString(path), row.filter}; });
        int shownWidth = 0, shownHeight = 0;
        view.SetImageSizeRunner([&](CImageSizeDialog& dialog) {
            shownWidth = dialog.WidthEdit()->text().toInt();
            shownHeight = dialog.HeightEdit()->text().toInt();
            dialog.WidthEdit()->setText("101");
            dialog.HeightEdit()->setText("7");
            dialog.accept();
            return dialog.result();
        });
        ASSERT_TRUE(view.OnCommand(CommandId::ExportImage));
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(shownWidth, 320) << "the size starts as the window's";
        EXPECT_EQ(shownHeight, 240);
        EXPECT_EQ(Head(path, row.magic.size()), row.magic);
        if (row.filter == ImageFilter::Png) {
            const PngContents png = ReadPng(path);
            EXPECT_EQ(png.width, 101u);
            EXPECT_EQ(png.height, 7u);
        }
        if (row.filter == ImageFilter::Bmp) {
            EXPECT_EQ(std::filesystem::file_size(path), 54u + 304u * 7u);
        }
    }
}

TEST(ImageExport, CancelAndUnknownFormat)
{
    TestApplication();
    ScratchDir dir;
    CTarnDoc doc;
    RecordingMessages messages;
    CTarnView view(doc, messages);
    bool sizeAsked = false;
    view.SetImageSizeRunner([&](CImageSizeDialog&) {
        sizeAsked = true;
        return int(QDialog::Rejected);
    });
    view.SetImageFileChooser([] { return ImageFileChoice{}; });
    view.OnCommand(CommandId::ExportImage);
    EXPECT_FALSE(sizeAsked) << "cancelling the file dialog ends the command";
    view.SetImageFileChooser([&] { return ImageFileChoice{QString::fromStdString(dir / "a.png"), ImageFilter::Png}; });
    view.OnCommand(CommandId::ExportImage);
    EXPECT_TRUE(sizeAsked);
    EXPECT_FALSE(std::filesystem::exists(dir / "a.png")) << "cancelling the size dialog writes nothing";

    EXPECT_FALSE(WriteImageByFilter(doc, dir / "b.gif", ImageFilter::None, 10, 10, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "Unknown file format!");
    EXPECT_EQ(ImageExportFilters().mid(0, 2), QStringList({"Bitmap files (*.bmp)", "PNG files (*.png)"}));
}

TEST(ImageSizeDialog, FieldsMustBeWholeNumbersOfAtLeastOne)
{
    struct Row { const char* text; bool ok; int value; const char* message; };
    const Row rows[] = {
        {"1", true, 1, ""},
        {" 640 ", true, 640, ""},
        {"+20", true, 20, ""},
        {"0", false, 0, "Please enter an integer between 1 and 2147483647."},
        {"-5", false, 0, "Please enter an integer between 1 and 2147483647."},
        {"", false, 0, "Please enter an integer."},
        {"12.5", false, 0, "Please enter an integer."},
        {"3e2", false, 0, "Please enter an integer."},
        {"99999999999", false, 0, "Please enter an integer."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        int value = 0;
        std::string message;
        EXPECT_EQ(CImageSizeDialog::ReadSize(row.text, value, message), row.ok);
        if (row.ok)
            EXPECT_EQ(value, row.value);
        else
            EXPECT_EQ(message, row.message);
    }
    TestApplication();
    RecordingMessages messages;
    CImageSizeDialog dialog(800, 600, messages);
    EXPECT_EQ(dialog.windowTitle(), "Export Image");
    dialog.HeightEdit()->setText("0");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected) << "the dialog stays open";
    ASSERT_EQ(messages.shown.size(), 1u);
    dialog.HeightEdit()->setText("20000");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ImageWidth(), 800);
    EXPECT_EQ(dialog.ImageHeight(), 20000);
}

TEST(ImageExport, APendingStreamExportIsWrittenWhenTheViewGoes)
{
    TestApplication();
    ScratchDir dir;
    for (int kind : {1, 2}) {
        SCOPED_TRACE(kind);
        CTarnDoc doc;
        RecordingMessages messages;
        const std::string path = dir / (kind == 1 ? "stream.bmp" : "stream.png");
        doc.m_exportKind = kind;
        doc.m_exportFile = path;
        doc.m_exportWidth = 64;
        doc.m_exportHeight = 48;
        { CTarnView view(doc, messages); }
        EXPECT_TRUE(messages.shown.empty());
        if (kind == 1) {
            EXPECT_EQ(std::filesystem::file_size(path), 54u + 192u * 48u);
        } else {
            const PngContents png = ReadPng(path);
            EXPECT_EQ(png.width, 64u);
            EXPECT_EQ(png.height, 48u);
        }
    }
}
