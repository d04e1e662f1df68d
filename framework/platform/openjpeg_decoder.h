// JPEG 2000 decoding through OpenJPEG, kept behind a plain interface so that only the platform
// layer sees the codec's headers. SPDX-License-Identifier: MIT
//
// Rules of the module: the decode takes the complete bytes of a ".j2k" codestream or ".jp2" file,
// tells the two apart by their signatures and returns false (outputs untouched) for anything it
// cannot decode in full, including pictures beyond the given size limits; the codec's own messages
// are swallowed. Safe to call from any thread.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace Lumo::Platform
{

struct Jpeg2000Limits
{
    int maxSide = 0;
    int64_t maxPixels = 0;
};

// Decodes into opaque 0xFFRRGGBB words, row after row (grey pictures are widened, a fourth
// component is ignored). False on any failure.
[[nodiscard]] bool DecodeJpeg2000(std::span<const uint8_t> file, const Jpeg2000Limits& limits,
                                  int& width, int& height, std::vector<uint32_t>& pixels);

} // namespace Lumo::Platform
