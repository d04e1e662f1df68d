// Cairo surface wrapper and the PNG and JPEG encoders of the asset generator.
// SPDX-License-Identifier: MIT
#include "tools/assetgen/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
#include <png.h>

namespace AssetGen
{

Canvas::Canvas(int w, int h)
    : width(w), height(h), surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h)),
      cr(cairo_create(surface))
{
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_BEST);
}

Canvas::~Canvas()
{
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

std::vector<std::uint32_t> Canvas::Pixels() const
{
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    std::vector<std::uint32_t> out(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
    {
        std::memcpy(&out[static_cast<size_t>(y) * width], data + static_cast<size_t>(y) * stride,
                    static_cast<size_t>(width) * 4);
    }
    return out;
}

void Canvas::SetPixels(const std::vector<std::uint32_t>& argb)
{
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y)
    {
        std::memcpy(data + static_cast<size_t>(y) * stride, &argb[static_cast<size_t>(y) * width],
                    static_cast<size_t>(width) * 4);
    }
    cairo_surface_mark_dirty(surface);
}

namespace
{

// One pass of a running-sum box blur over one channel plane.
void BoxBlurPlane(std::vector<float>& plane, int w, int h, int r)
{
    if (r <= 0)
    {
        return;
    }
    std::vector<float> tmp(plane.size());
    const float norm = 1.0f / static_cast<float>(2 * r + 1);
    for (int y = 0; y < h; ++y)
    {
        const float* row = &plane[static_cast<size_t>(y) * w];
        float* dst = &tmp[static_cast<size_t>(y) * w];
        float sum = 0;
        for (int i = -r; i <= r; ++i)
        {
            sum += row[std::clamp(i, 0, w - 1)];
        }
        for (int x = 0; x < w; ++x)
        {
            dst[x] = sum * norm;
            sum += row[std::min(x + r + 1, w - 1)] - row[std::max(x - r, 0)];
        }
    }
    for (int x = 0; x < w; ++x)
    {
        float sum = 0;
        for (int i = -r; i <= r; ++i)
        {
            sum += tmp[static_cast<size_t>(std::clamp(i, 0, h - 1)) * w + x];
        }
        for (int y = 0; y < h; ++y)
        {
            plane[static_cast<size_t>(y) * w + x] = sum * norm;
            sum += tmp[static_cast<size_t>(std::min(y + r + 1, h - 1)) * w + x] -
                   tmp[static_cast<size_t>(std::max(y - r, 0)) * w + x];
        }
    }
}

} // namespace

void Canvas::Blur(double radius)
{
    if (radius <= 0.0)
    {
        return;
    }
    std::vector<std::uint32_t> px = Pixels();
    const size_t n = px.size();
    // Edges are treated as transparent: pad so the blur can spread outwards.
    std::vector<float> planes[4];
    for (auto& p : planes)
    {
        p.resize(n);
    }
    for (size_t i = 0; i < n; ++i)
    {
        for (int c = 0; c < 4; ++c)
        {
            planes[c][i] = static_cast<float>((px[i] >> (8 * c)) & 0xFF);
        }
    }
    const int r = std::max(1, static_cast<int>(std::lround(radius * 0.6)));
    for (auto& p : planes)
    {
        for (int pass = 0; pass < 3; ++pass)
        {
            BoxBlurPlane(p, width, height, r);
        }
    }
    for (size_t i = 0; i < n; ++i)
    {
        std::uint32_t v = 0;
        const float a = std::clamp(planes[3][i], 0.0f, 255.0f);
        for (int c = 0; c < 4; ++c)
        {
            float ch = std::clamp(planes[c][i], 0.0f, 255.0f);
            if (c < 3)
            {
                ch = std::min(ch, a); // stay premultiplied
            }
            v |= static_cast<std::uint32_t>(std::lround(ch)) << (8 * c);
        }
        px[i] = v;
    }
    SetPixels(px);
}

namespace
{

void PngWriteToVector(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void PngFlush(png_structp) {}

// Straight (not premultiplied) RGBA bytes of one ARGB32 pixel.
void Unpremultiply(std::uint32_t argb, unsigned char* rgba)
{
    const unsigned a = argb >> 24;
    unsigned r = (argb >> 16) & 0xFF;
    unsigned g = (argb >> 8) & 0xFF;
    unsigned b = argb & 0xFF;
    if (a != 0 && a != 255)
    {
        r = std::min(255u, (r * 255 + a / 2) / a);
        g = std::min(255u, (g * 255 + a / 2) / a);
        b = std::min(255u, (b * 255 + a / 2) / a);
    }
    if (a == 0)
    {
        r = g = b = 0;
    }
    rgba[0] = static_cast<unsigned char>(r);
    rgba[1] = static_cast<unsigned char>(g);
    rgba[2] = static_cast<unsigned char>(b);
    rgba[3] = static_cast<unsigned char>(a);
}

} // namespace

Bytes Canvas::EncodePng() const
{
    Bytes out;
    const std::vector<std::uint32_t> px = Pixels();
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<unsigned char> row(static_cast<size_t>(width) * 4);
    if (setjmp(png_jmpbuf(png)))
    {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, PngWriteToVector, PngFlush);
    png_set_compression_level(png, 6);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            Unpremultiply(px[static_cast<size_t>(y) * width + x], &row[static_cast<size_t>(x) * 4]);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

Bytes Canvas::EncodeJpeg(int quality) const
{
    const std::vector<std::uint32_t> px = Pixels();
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.optimize_coding = TRUE;
    cinfo.dct_method = JDCT_ISLOW;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
    while (cinfo.next_scanline < cinfo.image_height)
    {
        const size_t y = cinfo.next_scanline;
        for (int x = 0; x < width; ++x)
        {
            unsigned char rgba[4];
            Unpremultiply(px[y * width + x], rgba);
            // JPEG has no alpha: composite over black, as the picture is opaque anyway.
            const unsigned a = rgba[3];
            for (int c = 0; c < 3; ++c)
            {
                row[static_cast<size_t>(x) * 3 + c] = static_cast<unsigned char>(rgba[c] * a / 255);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

} // namespace AssetGen
