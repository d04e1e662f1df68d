// Loading pictures by path: the file-type search, the decoders and separate alpha files.
// SPDX-License-Identifier: MIT
//
// Rules of the module:
// - Every file is read through the package layer, so pictures may be packaged or loose.
// - A path without extension tries ".tga", ".jpg", ".png", ".gif", ".j2k", ".jp2" in that order and
//   takes the first that decodes; a path with one of these extensions tries only that file; any
//   other extension loads nothing.
// - With alpha lookup, "dir/_name.ext" (then "dir/name.ext_" through the same search) is an alpha
//   file: its blue channel becomes the picture's alpha when both are the same size. An alpha file
//   alone becomes a picture of the compose colour with that alpha.
// - Failures return null and show nothing. Safe to call from any thread; the settings are
//   process-wide.
#pragma once

#include "framework/images/image_lib.h"

#include <string>

namespace Lumo::ImageLib
{

// Whether alpha files are looked for at all (on by default).
void SetAutoAlpha(bool on);
[[nodiscard]] bool GetAutoAlpha();
// Colour (0xRRGGBB) of a picture that exists only as an alpha file (white by default).
void SetAlphaComposeColor(uint32_t rgb);
[[nodiscard]] uint32_t GetAlphaComposeColor();

// The picture at path, or null when no file of it decodes.
[[nodiscard]] ImagePtr LoadImageFile(const std::string& path, bool lookForAlpha);

} // namespace Lumo::ImageLib
