// One running instance per user: an advisory lock and a knock on the door.
// SPDX-License-Identifier: MIT
//
// The lock is a flock on "<name>.lock" in $XDG_RUNTIME_DIR (else /tmp); the
// kernel drops it when the process ends, however it ends. The running
// instance also listens on a datagram socket "<name>.notify" beside it; a
// second instance sends one datagram there before it gives up, so that the
// running one can come to the front. Names are made file-safe here.
#pragma once

#include <string>

namespace Lumo
{

class SingleInstance
{
public:
    SingleInstance() = default;
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Takes the lock for the application name. Returns false when another
    // process holds it (and then knocks on that instance's door). A folder
    // where no lock can be made at all counts as success: one instance too
    // many is better than none.
    [[nodiscard]] bool Acquire(const std::string& appName, const std::string& folder = "");

    // True once for each knock received since the last call. Never blocks.
    bool TakeNotify();

    void Release();

    // The folder used when none is given: $XDG_RUNTIME_DIR, else /tmp.
    static std::string DefaultFolder();

private:
    int lockFd = -1;
    int notifyFd = -1;
    std::string notifyPath;
};

} // namespace Lumo
