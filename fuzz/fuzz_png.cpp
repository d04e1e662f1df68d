// Fuzz target: the decoder of PNG pictures through libpng.
// SPDX-License-Identifier: MIT
#include "fuzz/image_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FuzzImageDecoder(Lumo::ImageLib::DecodePng, data, size);
}
