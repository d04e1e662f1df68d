// Whole-file reads and crash-safe whole-file writes for the game's own data files.
// SPDX-License-Identifier: MIT
#include "game/safe_file.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Gamespace
{
namespace
{

std::string Describe(const std::string& what, const std::string& path, int error)
{
    return what + " '" + path + "': " + std::strerror(error);
}

void SetError(std::string* error, std::string message)
{
    if (error != nullptr)
    {
        *error = std::move(message);
    }
}

// Closes a descriptor on every path out of a scope unless it was handed on.
class FileDescriptor
{
  public:
    explicit FileDescriptor(int fd) : fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (fd >= 0)
        {
            ::close(fd);
        }
    }
    int Get() const { return fd; }
    // Closes now and reports the result: close can be where a delayed write
    // error (a full disk on a network file system) finally shows up.
    int Close()
    {
        const int result = ::close(fd);
        fd = -1;
        return result;
    }

  private:
    int fd;
};

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
    {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size())
    {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0)
        {
            if (errno == EINTR)
            {
                continue;
            }
            return false;
        }
        if (written == 0)
        {
            errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

bool SyncFolder(const std::string& folder, std::string* error)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
    {
        SetError(error, Describe("cannot open the folder", folder, errno));
        return false;
    }
    FileDescriptor dir(fd);
    // Some file systems cannot flush a folder at all; for them the rename is
    // as durable as it gets.
    if (::fsync(dir.Get()) != 0 && errno != EINVAL && errno != ENOTSUP)
    {
        SetError(error, Describe("cannot flush the folder", folder, errno));
        return false;
    }
    return true;
}

std::atomic<unsigned> temporaryCounter{0};

} // namespace

FileBytes ReadFileBytes(const std::string& path, std::size_t maxBytes)
{
    FileBytes result;
    int fd = -1;
    do
    {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
    {
        result.status = errno == ENOENT ? ReadStatus::Missing : ReadStatus::Failed;
        if (result.status == ReadStatus::Failed)
        {
            result.message = Describe("cannot open", path, errno);
        }
        return result;
    }
    FileDescriptor file(fd);
    struct stat info
    {
    };
    if (::fstat(file.Get(), &info) == 0 && S_ISDIR(info.st_mode))
    {
        result.status = ReadStatus::Failed;
        result.message = Describe("cannot read", path, EISDIR);
        return result;
    }
    std::uint8_t chunk[4096];
    while (result.bytes.size() < maxBytes)
    {
        const std::size_t want = std::min(sizeof chunk, maxBytes - result.bytes.size());
        const ssize_t got = ::read(file.Get(), chunk, want);
        if (got < 0)
        {
            if (errno == EINTR)
            {
                continue;
            }
            result.status = ReadStatus::Failed;
            result.message = Describe("cannot read", path, errno);
            result.bytes.clear();
            return result;
        }
        if (got == 0)
        {
            break;
        }
        result.bytes.insert(result.bytes.end(), chunk, chunk + got);
    }
    result.status = ReadStatus::Ok;
    return result;
}

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string* error)
{
    const std::string folder = FolderOf(path);
    const std::string base = BaseNameOf(path);
    if (base.empty())
    {
        SetError(error, "cannot write '" + path + "': no file name");
        return false;
    }

    // Keep the permissions the player (or an installer) gave the old file.
    struct stat old
    {
    };
    const bool hadOld = ::stat(path.c_str(), &old) == 0;
    if (hadOld && S_ISDIR(old.st_mode))
    {
        SetError(error, Describe("cannot replace", path, EISDIR));
        return false;
    }

    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt)
    {
        temporary = folder + "/." + base + "." + std::to_string(::getpid()) + "." +
                    std::to_string(temporaryCounter.fetch_add(1)) + ".tmp";
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST && errno != EINTR)
        {
            break;
        }
    }
    if (fd < 0)
    {
        SetError(error, Describe("cannot create a temporary file for", path, errno));
        return false;
    }

    FileDescriptor file(fd);
    const auto fail = [&](const char* what)
    {
        const int cause = errno;
        if (file.Get() >= 0)
        {
            file.Close();
        }
        ::unlink(temporary.c_str());
        SetError(error, Describe(what, path, cause));
        return false;
    };
    if (hadOld && ::fchmod(file.Get(), old.st_mode & 07777) != 0)
    {
        return fail("cannot set the permissions for");
    }
    if (!WriteAll(file.Get(), bytes))
    {
        return fail("cannot write");
    }
    if (::fsync(file.Get()) != 0)
    {
        return fail("cannot flush");
    }
    if (file.Close() != 0)
    {
        return fail("cannot close");
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0)
    {
        return fail("cannot put in place");
    }
    return SyncFolder(folder, error);
}

bool EnsureFolder(const std::string& folder, std::string* error)
{
    if (::mkdir(folder.c_str(), 0777) == 0)
    {
        return true;
    }
    const int cause = errno;
    struct stat info
    {
    };
    if (cause == EEXIST && ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
    {
        return true;
    }
    SetError(error,
             Describe("cannot create the folder", folder, cause == EEXIST ? ENOTDIR : cause));
    return false;
}

} // namespace Gamespace
