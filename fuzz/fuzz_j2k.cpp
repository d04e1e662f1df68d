// Fuzz target: the decoder of JPEG 2000 codestreams and JP2 files through OpenJPEG.
// SPDX-License-Identifier: MIT
#include "fuzz/image_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FuzzImageDecoder(Lumo::ImageLib::DecodeJpeg2000, data, size);
}
