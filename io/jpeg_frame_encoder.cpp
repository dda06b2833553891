#include "io/jpeg_frame_encoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <new>

#include <jpeglib.h>

namespace {

// libjpeg reports errors through a callback that must not return; it jumps
// back to the encoder, which cleans up and reports the text.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info)
{
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

void SilentMessage(j_common_ptr, int) {}

} // namespace

JpegFrameEncoder::JpegFrameEncoder(int width, int height, int quality)
    : m_width(width), m_height(height), m_quality(std::clamp(quality, 1, 100))
{
}

bool JpegFrameEncoder::Encode(const std::uint8_t* topDownBgr, std::size_t bytesPerLine,
                              std::vector<std::uint8_t>& out)
{
    // Everything the jump may skip over lives outside the guarded block, so
    // that nothing with a destructor is abandoned by longjmp.
    jpeg_compress_struct info{};
    ErrorManager errors{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = ErrorExit;
    errors.base.emit_message = SilentMessage;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        m_error = errors.message;
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(m_width);
    info.image_height = JDIMENSION(m_height);
    info.input_components = 3;
    info.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, m_quality, TRUE);
    // Full colour resolution (4:4:4): the default halves it both ways, which
    // blends a one-pixel coloured line with its background (red on blue turns
    // purple). Plots are thin lines, so the colour is worth its bytes.
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(topDownBgr + std::size_t(info.next_scanline) * bytesPerLine);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    bool copied = true;
    try {
        out.assign(buffer, buffer + size);
    } catch (const std::bad_alloc&) {
        copied = false;
        m_error = "not enough memory for the compressed frame";
    }
    std::free(buffer);
    return copied;
}
