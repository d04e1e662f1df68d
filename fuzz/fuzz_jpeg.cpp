// Fuzz target: the decoder of JPEG pictures through libjpeg.
// SPDX-License-Identifier: MIT
#include "fuzz/image_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FuzzImageDecoder(Lumo::ImageLib::DecodeJpeg, data, size);
}
