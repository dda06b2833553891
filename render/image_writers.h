#pragma once

#include <string>

class Messages;
class RasterImage;

/// The title and the author that exported pictures carry: a PNG's "Title"
/// and "Author" text chunks, a PDF's document title and creator.
inline constexpr char kImageTitle[] = "A Graph Image";
inline constexpr char kImageAuthor[] = "CorvidPlot";

/// Writes `image` to `path` as a Windows bitmap: the 14-byte file header, the
/// 40-byte BITMAPINFOHEADER (24 bits per pixel, uncompressed, positive
/// height) and the padded pixel rows, bottom row first. Failures are shown
/// through `messages`; returns whether the file was written.
bool WriteBmpFile(const RasterImage& image, const std::string& path, Messages& messages);

/// Writes `image` to `path` as an 8-bit RGB PNG with libpng: the two text
/// chunks "Title" (`kImageTitle`) and "Author" (`kImageAuthor`), then the rows
/// top row first. Failures are shown through `messages`; returns whether the
/// file was written.
bool WritePngFile(const RasterImage& image, const std::string& path, Messages& messages);

/// The 54 header bytes of the BMP file of `image`.
std::string BmpHeader(const RasterImage& image);
