#include "model/error.h"
#include "model/messages.h"
#include "model/safe_file_writer.h"
#include "render/image_writers.h"
#include "render/raster_image.h"

#include <png.h>

#include <memory>
#include <new>
#include <string>

namespace {

// libpng's errors become Error exceptions carrying its message; libpng
// requires that this function does not return. Error does not own its text
// and libpng may pass a buffer on its own stack, so the text is kept here.
thread_local std::string pngErrorText;

[[noreturn]] void RaiseError(png_structp, png_const_charp message)
{
    pngErrorText = message ? message : "";
    throw Error(message ? pngErrorText.c_str() : nullptr, __FILE__, __LINE__);
}

void WriteBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* file = static_cast<SafeFileWriter*>(png_get_io_ptr(png));
    if (!file->Write(data, length))
        png_error(png, "write error");
}

void Flush(png_structp) {}

// Destroys the write structures however the writing ended.
struct PngStructures {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngStructures()
    {
        if (png)
            png_destroy_write_struct(&png, info ? &info : nullptr);
    }
};

} // namespace

bool WritePngFile(const RasterImage& image, const std::string& path, Messages& messages)
{
    SafeFileWriter file(path);
    if (!file.Open()) {
        messages.Show("Unable to open " + path + " for writing");
        return false;
    }
    if (image.Empty()) {
        messages.Show("Unable to write bitmap (invalid dib)");
        return false;
    }
    PngStructures structures;
    std::unique_ptr<png_byte[]> row;
    try {
        structures.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, RaiseError, nullptr);
        if (!structures.png) {
            messages.Show("Unable to initialize PNG data");
            return false;
        }
        png_structp png = structures.png;
        structures.info = png_create_info_struct(png);
        if (!structures.info) {
            messages.Show("Unable to write png file (png_create_info_struct)");
            return false;
        }
        png_infop info = structures.info;
        png_set_write_fn(png, &file, WriteBytes, Flush);
        png_set_IHDR(png, info, png_uint_32(image.Width()), png_uint_32(image.Height()), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        char titleKey[] = "Title", authorKey[] = "Author";
        std::string titleText = kImageTitle, authorText = kImageAuthor;
        png_text text[2] = {};
        text[0].compression = PNG_TEXT_COMPRESSION_NONE;
        text[0].key = titleKey;
        text[0].text = titleText.data();
        text[1].compression = PNG_TEXT_COMPRESSION_NONE;
        text[1].key = authorKey;
        text[1].text = authorText.data();
        png_set_text(png, info, text, 2);
        png_write_info(png, info);
        row.reset(new (std::nothrow) png_byte[std::size_t(image.Width()) * 3]);
        if (!row) {
            messages.Show("Unable to write png file (insufficient memory)");
            return false;
        }
        for (int y = 0; y < image.Height(); ++y) {
            const std::uint8_t* source = image.Row(y);
            png_bytep target = row.get();
            for (int x = 0; x < image.Width(); ++x, source += 3, target += 3) {
                target[0] = source[2];
                target[1] = source[1];
                target[2] = source[0];
            }
            png_write_row(png, row.get());
        }
        png_write_end(png, info);
    } catch (const Error& error) {
        // A failed write reaches here as libpng's error; say what failed.
        if (!file.Error().empty())
            messages.Show("Unable to write " + path + " (" + file.Error() + ")");
        else
            messages.Show(error.Text());
        return false;
    } catch (...) {
        messages.Show("Unspecified error writing png file");
        return false;
    }
    if (!file.Commit()) {
        messages.Show("Unable to write " + path + " (" + file.Error() + ")");
        return false;
    }
    return true;
}
