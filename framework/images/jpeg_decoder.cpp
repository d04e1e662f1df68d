// JPEG decoding through libjpeg, into opaque 0xFFRRGGBB words.
// SPDX-License-Identifier: MIT
#include "framework/images/image_lib.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace Lumo::ImageLib
{

namespace
{

// A progressive file may ask for any number of scans; real pictures use a dozen or so.
constexpr int kMaxScans = 500;

struct JpegError
{
    jpeg_error_mgr manager;
    jmp_buf jump;
};

void OnError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

// The library reports corrupt data as warnings and fills in grey; a damaged file loads nothing.
void OnMessage(j_common_ptr info, int level)
{
    if (level < 0)
    {
        std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
    }
}

void OnProgress(j_common_ptr info)
{
    auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->is_decompressor && decompress->input_scan_number > kMaxScans)
    {
        std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
    }
}

struct JpegDecode
{
    jpeg_decompress_struct info{};
    JpegError error{};
    jpeg_progress_mgr progress{};
    ImagePtr image;
    std::vector<JSAMPLE> row;
};

bool RunDecode(JpegDecode& decode, std::span<const uint8_t> file)
{
    jpeg_decompress_struct& info = decode.info;
    if (setjmp(decode.error.jump) != 0)
    {
        return false;
    }
    jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK ||
        !IsAcceptableImageSize(info.image_width, info.image_height))
    {
        return false;
    }
    info.out_color_space = JCS_RGB; // grey pictures are widened by the library
    jpeg_start_decompress(&info);
    if (info.output_components != 3 || info.output_width != info.image_width ||
        info.output_height != info.image_height)
    {
        return false;
    }
    const int width = static_cast<int>(info.output_width);
    decode.image = std::make_unique<Image>(width, static_cast<int>(info.output_height));
    decode.row.resize(static_cast<size_t>(width) * 3);
    while (info.output_scanline < info.output_height)
    {
        const size_t y = info.output_scanline;
        JSAMPROW rowPointer = decode.row.data();
        if (jpeg_read_scanlines(&info, &rowPointer, 1) != 1)
        {
            return false;
        }
        uint32_t* out = decode.image->bits.data() + y * static_cast<size_t>(width);
        for (int x = 0; x < width; ++x)
        {
            const JSAMPLE* rgb = rowPointer + 3 * x;
            out[x] = 0xFF000000u | (uint32_t{rgb[0]} << 16) | (uint32_t{rgb[1]} << 8) | rgb[2];
        }
    }
    jpeg_finish_decompress(&info);
    return true;
}

} // namespace

ImagePtr DecodeJpeg(std::span<const uint8_t> file)
{
    if (file.size() < 3 || file[0] != 0xFF || file[1] != 0xD8)
    {
        return nullptr;
    }
    auto decode = std::make_unique<JpegDecode>();
    decode->info.err = jpeg_std_error(&decode->error.manager);
    decode->error.manager.error_exit = OnError;
    decode->error.manager.emit_message = OnMessage;
    if (setjmp(decode->error.jump) != 0)
    {
        jpeg_destroy_decompress(&decode->info);
        return nullptr;
    }
    jpeg_create_decompress(&decode->info);
    decode->progress.progress_monitor = OnProgress;
    decode->info.progress = &decode->progress;
    const bool decoded = RunDecode(*decode, file);
    jpeg_destroy_decompress(&decode->info);
    if (!decoded)
    {
        return nullptr;
    }
    return std::move(decode->image);
}

} // namespace Lumo::ImageLib
