// Small services of the desktop on SDL and POSIX.
// SPDX-License-Identifier: MIT
#include "framework/platform/platform_services.h"

#include <SDL.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>

namespace Lumo
{

bool IsHeadless()
{
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (driver != nullptr && (std::strcmp(driver, "dummy") == 0 ||
                              std::strcmp(driver, "offscreen") == 0))
    {
        return true;
    }
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (display == nullptr || *display == 0) && (wayland == nullptr || *wayland == 0);
}

namespace
{

// The texts carry the line ends of the platform they were written for.
std::string WithoutCarriageReturns(const std::string& text)
{
    std::string result;
    for (char c : text)
    {
        if (c != '\r')
        {
            result += c;
        }
    }
    return result;
}

} // namespace

bool ShowMessageBox(const std::string& title, const std::string& text)
{
    if (IsHeadless())
    {
        return false;
    }
    return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title.c_str(),
                                    WithoutCarriageReturns(text).c_str(), nullptr) == 0;
}

bool ShowQuestionBox(const std::string& title, const std::string& text, bool noAnswer)
{
    if (IsHeadless())
    {
        return noAnswer;
    }
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
    };
    SDL_MessageBoxData data{};
    data.flags = SDL_MESSAGEBOX_INFORMATION;
    data.title = title.c_str();
    const std::string message = WithoutCarriageReturns(text);
    data.message = message.c_str();
    data.numbuttons = 2;
    data.buttons = buttons;
    int answer = -1;
    if (SDL_ShowMessageBox(&data, &answer) != 0 || answer < 0)
    {
        return noAnswer;
    }
    return answer == 1;
}

std::string GetClipboardText()
{
    char* text = SDL_GetClipboardText();
    std::string result = text != nullptr ? text : "";
    SDL_free(text);
    return result;
}

bool SetClipboardText(const std::string& text)
{
    return SDL_SetClipboardText(text.c_str()) == 0;
}

bool OpenAddress(const std::string& address)
{
    return SDL_OpenURL(address.c_str()) == 0;
}

void AllowScreenSaver(bool allow)
{
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
    {
        return;
    }
    if (allow)
    {
        SDL_EnableScreenSaver();
    }
    else
    {
        SDL_DisableScreenSaver();
    }
}

std::string GetPreferencesFolder(const std::string& maker, const std::string& game)
{
    char* path = SDL_GetPrefPath(maker.c_str(), game.c_str());
    std::string result = path != nullptr ? path : "";
    SDL_free(path);
    return result;
}

std::string GetProgramFolder()
{
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
    {
        return "";
    }
    const std::string full(path, static_cast<std::size_t>(length));
    const std::size_t slash = full.rfind('/');
    return slash == std::string::npos ? std::string() : full.substr(0, slash);
}

void SetCurrentThreadPriority(ThreadPriority priority)
{
    // Linux keeps a nice value per thread. Raising it needs privileges that a
    // player usually lacks; then the thread simply keeps its priority. Going
    // back to normal restores what the thread had before it was raised.
    thread_local bool raised = false;
    thread_local int normalNice = 0;
    const auto thread = static_cast<id_t>(gettid());
    if (priority == ThreadPriority::AboveNormal && !raised)
    {
        errno = 0;
        const int current = getpriority(PRIO_PROCESS, thread);
        if (errno == 0 && setpriority(PRIO_PROCESS, thread, current - 2) == 0)
        {
            normalNice = current;
            raised = true;
        }
    }
    else if (priority == ThreadPriority::Normal && raised)
    {
        (void)setpriority(PRIO_PROCESS, thread, normalNice);
        raised = false;
    }
}

} // namespace Lumo
