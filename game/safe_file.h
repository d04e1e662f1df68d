// Whole-file reads and crash-safe whole-file writes for the game's own data files.
// SPDX-License-Identifier: MIT
//
// Rules of this module:
// - A write never leaves a torn, empty or half-written file under the target
//   name: the bytes go to a uniquely named temporary file beside the target
//   (its name starts with "." so that folder listings of the game skip it),
//   are flushed to the disk, and the temporary file is then renamed over the
//   target and the folder flushed. If anything fails on the way the target is
//   left exactly as it was and the temporary file is removed.
// - Every system call is checked; failures come back as a false result and a
//   one-line message, never as an exception or a crash.
// - The functions touch the real file system only (not packages) and keep no
//   state, so they may run on any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace Gamespace
{

enum class ReadStatus
{
    Ok,      // the bytes were read
    Missing, // there is no such file
    Failed,  // the file exists but could not be read (see message)
};

struct FileBytes
{
    ReadStatus status = ReadStatus::Missing;
    std::vector<std::uint8_t> bytes;
    std::string message; // why it failed; empty on success
};

// Reads at most maxBytes bytes from the start of the file at path.
[[nodiscard]] FileBytes ReadFileBytes(const std::string& path, std::size_t maxBytes = SIZE_MAX);

// Replaces the file at path with bytes as described above. The new file gets
// the permissions of the old one when there was one, else 0666 less the umask.
// Returns false and fills error (when given) if the target was not replaced,
// or if it was replaced but the folder could not be flushed afterwards.
[[nodiscard]] bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                                       std::string* error = nullptr);

// Creates the folder (one level) when it does not exist yet. Returns false
// when it is missing and cannot be made, or when the name is taken by a file.
[[nodiscard]] bool EnsureFolder(const std::string& folder, std::string* error = nullptr);

} // namespace Gamespace
