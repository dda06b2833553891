#pragma once

#include <png.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

/// A PNG file as libpng reads it back: size, colour layout, text chunks in
/// file order and the rows expanded to 8-bit RGB, top row first.
struct PngContents {
    bool ok = false;
    unsigned width = 0, height = 0;
    int bitDepth = 0, colorType = 0, interlace = 0;
    std::vector<std::pair<std::string, std::string>> texts;
    std::vector<std::vector<unsigned char>> rows;
};

inline PngContents ReadPng(const std::string& path)
{
    PngContents contents;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return contents;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        std::fclose(file);
        contents.ok = false;
        return contents;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    contents.width = png_get_image_width(png, info);
    contents.height = png_get_image_height(png, info);
    contents.bitDepth = png_get_bit_depth(png, info);
    contents.colorType = png_get_color_type(png, info);
    contents.interlace = png_get_interlace_type(png, info);
    png_textp text = nullptr;
    int count = 0;
    png_get_text(png, info, &text, &count);
    for (int i = 0; i < count; ++i)
        contents.texts.emplace_back(text[i].key, text[i].text ? text[i].text : "");
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    contents.rows.assign(contents.height, std::vector<unsigned char>(rowBytes));
    for (auto& row : contents.rows)
        png_read_row(png, row.data(), nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    contents.ok = true;
    return contents;
}
