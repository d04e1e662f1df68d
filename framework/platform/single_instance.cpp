// One running instance per user: an advisory lock and a knock on the door.
// SPDX-License-Identifier: MIT
#include "framework/platform/single_instance.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace Lumo
{

namespace
{

std::string SafeName(const std::string& name)
{
    std::string safe;
    for (char c : name)
    {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.';
        safe += plain ? c : '_';
    }
    return safe.empty() ? std::string("app") : safe;
}

bool FillAddress(const std::string& path, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
    {
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

} // namespace

SingleInstance::~SingleInstance()
{
    Release();
}

std::string SingleInstance::DefaultFolder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime == '/' && access(runtime, W_OK) == 0)
    {
        return runtime;
    }
    return "/tmp";
}

bool SingleInstance::Acquire(const std::string& appName, const std::string& folder)
{
    Release();
    const std::string base = (folder.empty() ? DefaultFolder() : folder) + "/" + SafeName(appName);
    const std::string lockPath = base + ".lock";
    notifyPath = base + ".notify";

    lockFd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd < 0)
    {
        return true;
    }
    if (flock(lockFd, LOCK_EX | LOCK_NB) != 0)
    {
        close(lockFd);
        lockFd = -1;
        sockaddr_un address;
        const int knock = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        if (knock >= 0 && FillAddress(notifyPath, address))
        {
            const char byte = 1;
            (void)sendto(knock, &byte, 1, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&address),
                         sizeof address);
        }
        if (knock >= 0)
        {
            close(knock);
        }
        notifyPath.clear();
        return false;
    }

    // We hold the lock, so a socket file left there belongs to a dead instance.
    sockaddr_un address;
    if (FillAddress(notifyPath, address))
    {
        unlink(notifyPath.c_str());
        notifyFd = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (notifyFd >= 0 &&
            bind(notifyFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        {
            close(notifyFd);
            notifyFd = -1;
        }
    }
    return true;
}

bool SingleInstance::TakeNotify()
{
    if (notifyFd < 0)
    {
        return false;
    }
    bool knocked = false;
    char buffer[16];
    while (recv(notifyFd, buffer, sizeof buffer, MSG_DONTWAIT) >= 0)
    {
        knocked = true;
    }
    return knocked;
}

void SingleInstance::Release()
{
    if (notifyFd >= 0)
    {
        close(notifyFd);
        notifyFd = -1;
        unlink(notifyPath.c_str());
    }
    notifyPath.clear();
    if (lockFd >= 0)
    {
        close(lockFd);
        lockFd = -1;
    }
}

} // namespace Lumo
