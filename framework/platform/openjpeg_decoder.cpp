// JPEG 2000 decoding through OpenJPEG.
// SPDX-License-Identifier: MIT
#include "framework/platform/openjpeg_decoder.h"

#include <algorithm>
#include <cstring>
#include <openjpeg.h>

namespace Lumo::Platform
{

namespace
{

constexpr uint8_t kJp2Signature[] = {0, 0, 0, 0x0C, 'j', 'P', ' ', ' ', 0x0D, 0x0A, 0x87, 0x0A};
constexpr uint8_t kCodestreamSignature[] = {0xFF, 0x4F, 0xFF, 0x51};
constexpr uint32_t kMaxComponents = 4;
constexpr uint32_t kMaxTiles = 4096;

struct MemoryStream
{
    std::span<const uint8_t> bytes;
    size_t pos = 0;
};

OPJ_SIZE_T Read(void* buffer, OPJ_SIZE_T count, void* userData)
{
    auto* stream = static_cast<MemoryStream*>(userData);
    const size_t left = stream->bytes.size() - stream->pos;
    if (left == 0)
    {
        return static_cast<OPJ_SIZE_T>(-1);
    }
    const size_t taken = std::min(left, count);
    std::memcpy(buffer, stream->bytes.data() + stream->pos, taken);
    stream->pos += taken;
    return taken;
}

OPJ_OFF_T Skip(OPJ_OFF_T count, void* userData)
{
    auto* stream = static_cast<MemoryStream*>(userData);
    const auto size = static_cast<OPJ_OFF_T>(stream->bytes.size());
    const auto pos = static_cast<OPJ_OFF_T>(stream->pos);
    const OPJ_OFF_T target = std::clamp<OPJ_OFF_T>(pos + count, 0, size);
    stream->pos = static_cast<size_t>(target);
    return target - pos;
}

OPJ_BOOL Seek(OPJ_OFF_T offset, void* userData)
{
    auto* stream = static_cast<MemoryStream*>(userData);
    if (offset < 0 || static_cast<uint64_t>(offset) > stream->bytes.size())
    {
        return OPJ_FALSE;
    }
    stream->pos = static_cast<size_t>(offset);
    return OPJ_TRUE;
}

void Quiet(const char*, void*) {}

// Owns the codec objects of one decode.
struct Decoder
{
    opj_codec_t* codec = nullptr;
    opj_stream_t* stream = nullptr;
    opj_image_t* image = nullptr;

    Decoder() = default;
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;
    ~Decoder()
    {
        if (image != nullptr)
        {
            opj_image_destroy(image);
        }
        if (stream != nullptr)
        {
            opj_stream_destroy(stream);
        }
        if (codec != nullptr)
        {
            opj_destroy_codec(codec);
        }
    }
};

// A component's sample scaled to 8 bits.
uint8_t Sample(const opj_image_comp_t& component, size_t index)
{
    int64_t value = component.data[index];
    if (component.sgnd != 0)
    {
        value += int64_t{1} << (component.prec - 1);
    }
    const int64_t maxValue = (int64_t{1} << component.prec) - 1;
    value = std::clamp<int64_t>(value, 0, maxValue);
    return static_cast<uint8_t>((value * 255 + maxValue / 2) / maxValue);
}

bool HeaderWithinLimits(opj_codec_t* codec, const opj_image_t& image, const Jpeg2000Limits& limits)
{
    const int64_t width = int64_t{image.x1} - image.x0;
    const int64_t height = int64_t{image.y1} - image.y0;
    if (width <= 0 || height <= 0 || width > limits.maxSide || height > limits.maxSide ||
        width * height > limits.maxPixels || image.numcomps == 0 || image.numcomps > kMaxComponents)
    {
        return false;
    }
    opj_codestream_info_v2_t* info = opj_get_cstr_info(codec);
    if (info == nullptr)
    {
        return false;
    }
    const bool tilesOk = int64_t{info->tw} * info->th <= kMaxTiles &&
                         int64_t{info->tdx} * info->tdy <= limits.maxPixels;
    opj_destroy_cstr_info(&info);
    return tilesOk;
}

} // namespace

bool DecodeJpeg2000(std::span<const uint8_t> file, const Jpeg2000Limits& limits, int& width,
                    int& height, std::vector<uint32_t>& pixels)
{
    OPJ_CODEC_FORMAT format = OPJ_CODEC_UNKNOWN;
    if (file.size() >= sizeof kJp2Signature &&
        std::memcmp(file.data(), kJp2Signature, sizeof kJp2Signature) == 0)
    {
        format = OPJ_CODEC_JP2;
    }
    else if (file.size() >= sizeof kCodestreamSignature &&
             std::memcmp(file.data(), kCodestreamSignature, sizeof kCodestreamSignature) == 0)
    {
        format = OPJ_CODEC_J2K;
    }
    else
    {
        return false;
    }

    Decoder decoder;
    MemoryStream source{file, 0};
    decoder.codec = opj_create_decompress(format);
    decoder.stream = opj_stream_default_create(OPJ_TRUE);
    if (decoder.codec == nullptr || decoder.stream == nullptr)
    {
        return false;
    }
    opj_set_info_handler(decoder.codec, Quiet, nullptr);
    opj_set_warning_handler(decoder.codec, Quiet, nullptr);
    opj_set_error_handler(decoder.codec, Quiet, nullptr);
    opj_stream_set_user_data(decoder.stream, &source, nullptr);
    opj_stream_set_user_data_length(decoder.stream, file.size());
    opj_stream_set_read_function(decoder.stream, Read);
    opj_stream_set_skip_function(decoder.stream, Skip);
    opj_stream_set_seek_function(decoder.stream, Seek);

    opj_dparameters_t parameters;
    opj_set_default_decoder_parameters(&parameters);
    parameters.cp_reduce = 0; // full resolution
    if (!opj_setup_decoder(decoder.codec, &parameters) ||
        !opj_decoder_set_strict_mode(decoder.codec, OPJ_TRUE) ||
        !opj_read_header(decoder.stream, decoder.codec, &decoder.image) ||
        decoder.image == nullptr || !HeaderWithinLimits(decoder.codec, *decoder.image, limits) ||
        !opj_decode(decoder.codec, decoder.stream, decoder.image) ||
        !opj_end_decompress(decoder.codec, decoder.stream))
    {
        return false;
    }

    const opj_image_t& image = *decoder.image;
    const auto imageWidth = static_cast<uint32_t>(image.x1 - image.x0);
    const auto imageHeight = static_cast<uint32_t>(image.y1 - image.y0);
    // Every component used must cover the whole picture at full resolution.
    const uint32_t colourComponents = image.numcomps >= 3 ? 3 : 1;
    for (uint32_t c = 0; c < colourComponents; ++c)
    {
        const opj_image_comp_t& component = image.comps[c];
        if (component.data == nullptr || component.w != imageWidth || component.h != imageHeight ||
            component.dx != 1 || component.dy != 1 || component.prec == 0 || component.prec > 31)
        {
            return false;
        }
    }
    std::vector<uint32_t> out(size_t{imageWidth} * imageHeight);
    for (size_t i = 0; i < out.size(); ++i)
    {
        const uint8_t red = Sample(image.comps[0], i);
        const uint8_t green = colourComponents == 3 ? Sample(image.comps[1], i) : red;
        const uint8_t blue = colourComponents == 3 ? Sample(image.comps[2], i) : red;
        out[i] = 0xFF000000u | (uint32_t{red} << 16) | (uint32_t{green} << 8) | blue;
    }
    width = static_cast<int>(imageWidth);
    height = static_cast<int>(imageHeight);
    pixels = std::move(out);
    return true;
}

} // namespace Lumo::Platform
