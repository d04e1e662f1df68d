// The application base: initialisation, settings, window messages and services.
// SPDX-License-Identifier: MIT
#include "framework/app/lumo_app_base.h"

#include "framework/app/dd_interface.h"
#include "framework/graphics/dd_image.h"
#include "framework/images/image_access.h"
#include "framework/pak/pak_interface.h"
#include "framework/platform/mixer_music.h"
#include "framework/platform/platform_services.h"
#include "framework/platform/termination_signals.h"

#include "common/game_lock.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace Lumo
{

namespace
{

constexpr std::size_t kMaxRegistryStringBytes = 1023;
constexpr int kCursorPointer = 0;
constexpr int kCursorNone = 11;

int ButtonBit(int clickCount)
{
    if (clickCount < 0)
    {
        return 2;
    }
    return clickCount == 3 ? 4 : 1;
}

std::string CurrentFolder()
{
    char path[4096];
    return getcwd(path, sizeof path) != nullptr ? std::string(path) : std::string(".");
}

} // namespace

bool TranslatePlatformEvent(const PlatformEvent& event, WindowMessage& message)
{
    message = WindowMessage{};
    message.x = event.x;
    message.y = event.y;
    switch (event.kind)
    {
    case PlatformEventKind::MouseMove:
        message.kind = WindowMessageKind::MouseMove;
        return true;
    case PlatformEventKind::MouseButtonDown:
    case PlatformEventKind::MouseButtonUp:
    {
        const bool down = event.kind == PlatformEventKind::MouseButtonDown;
        message.kind = down ? WindowMessageKind::MouseDown : WindowMessageKind::MouseUp;
        // Every second click of a run is a double click, as on the desktop
        // the game was made for; releases carry no click count.
        const int clicks = down && event.clicks > 0 && event.clicks % 2 == 0 ? 2 : 1;
        switch (event.button)
        {
        case MouseButton::Left:
            message.clickCount = clicks;
            break;
        case MouseButton::Right:
            message.clickCount = -clicks;
            break;
        case MouseButton::Middle:
            message.clickCount = 3;
            break;
        }
        return true;
    }
    case PlatformEventKind::MouseWheel:
        message.kind = WindowMessageKind::MouseWheel;
        message.wheelDelta = event.wheelNotches;
        return true;
    case PlatformEventKind::MouseLeft:
        message.kind = WindowMessageKind::MouseExit;
        return true;
    case PlatformEventKind::KeyDown:
        message.kind = WindowMessageKind::KeyDown;
        message.keyCode = event.keyCode;
        return true;
    case PlatformEventKind::KeyUp:
        message.kind = WindowMessageKind::KeyUp;
        message.keyCode = event.keyCode;
        return true;
    case PlatformEventKind::KeyChar:
        message.kind = WindowMessageKind::KeyChar;
        message.character = event.character;
        return true;
    case PlatformEventKind::FocusGained:
        message.kind = WindowMessageKind::GotFocus;
        return true;
    case PlatformEventKind::FocusLost:
        message.kind = WindowMessageKind::LostFocus;
        return true;
    case PlatformEventKind::Minimized:
        message.kind = WindowMessageKind::Minimized;
        return true;
    case PlatformEventKind::Restored:
        message.kind = WindowMessageKind::Restored;
        return true;
    case PlatformEventKind::Exposed:
        message.kind = WindowMessageKind::Exposed;
        return true;
    case PlatformEventKind::DisplayChanged:
        message.kind = WindowMessageKind::DisplayChanged;
        return true;
    case PlatformEventKind::MouseEntered: // the next mouse message says so
    case PlatformEventKind::CloseRequested:
        return false;
    }
    return false;
}

LumoAppBase::LumoAppBase(std::unique_ptr<Clock> clock)
    : pakInterface(std::make_unique<PakInterface>()),
      clock(clock != nullptr ? std::move(clock) : std::make_unique<SystemClock>())
{
    creationTime = this->clock->NowMs();
    lastMeasureTime = creationTime;
    widgetManager = std::make_unique<WidgetManager>(this);
}

LumoAppBase::~LumoAppBase()
{
    StopThreads();
}

void LumoAppBase::SetCommandLine(std::vector<std::string> newArguments)
{
    arguments = std::move(newArguments);
}

bool LumoAppBase::ApplyCommandLine()
{
    const CommandLineResult result = ParseCommandLine(arguments, CurrentFolder());
    if (!result.valid)
    {
        const std::string text =
            GetString("INVALID_COMMANDLINE_PARAM", "Invalid command line parameter: ") +
            result.invalidArgument;
        std::fprintf(stderr, "%s\n", text.c_str());
        ShowMessage(text);
        return false;
    }
    commandLine = result.options;
    return true;
}

bool LumoAppBase::EnterStartFolder()
{
    const std::string folder =
        commandLine.changeDirectory.empty() ? GetProgramFolder() : commandLine.changeDirectory;
    if (folder.empty() || chdir(folder.c_str()) == 0)
    {
        return true;
    }
    if (commandLine.changeDirectory.empty())
    {
        return true; // staying where we were started is as good
    }
    const std::string text = "Cannot change to the folder \"" + folder + "\": " +
                             std::strerror(errno);
    std::fprintf(stderr, "%s\n", text.c_str());
    ShowMessage(text);
    return false;
}

void LumoAppBase::Init()
{
    if (!ApplyCommandLine() || !EnterStartFolder())
    {
        Shutdown();
        return;
    }
    // The framework's own package; a program without one reads loose files.
    (void)AddPakFile("main.pak");

    const std::string appName = productName.empty() ? title : productName;
    if (onlyOneInstance && !commandLine.screensaverMode &&
        !instanceLock.Acquire(appName, instanceLockFolder))
    {
        std::fprintf(stderr, "%s is already running.\n", appName.c_str());
        Shutdown();
        return;
    }
    std::srand(static_cast<unsigned>(clock->NowMs()));

    ReadSettings();
    is3DAtStart = settings.is3D;
    if (screenModeFromSettings)
    {
        windowed = !settings.fullScreen;
    }
    if (!registryKey.empty())
    {
        (void)RegistryWriteBoolean("InProgress", true);
    }

    display = std::make_unique<DDInterface>(width, height);
    sharedImages = std::make_unique<SharedImageTable>(display.get());
    std::string videoError;
    if (!display->GetWindow().InitVideo(videoError))
    {
        const std::string text =
            GetString("APP_REQUIRES_DIRECTX",
                      "This application requires SDL2 video to run. SDL could not start it: ") +
            videoError;
        std::fprintf(stderr, "%s\n", text.c_str());
        if (!IsHeadless())
        {
            (void)ShowMessageBox(GetString("YOU_NEED_DIRECTX", "You need SDL2 video"), text);
        }
        Shutdown();
        return;
    }

    ApplyMouseMapping();

    int usableWidth = 0;
    int usableHeight = 0;
    if (windowed && display->GetWindow().GetUsableDesktopSize(usableWidth, usableHeight) &&
        (width >= usableWidth || height >= usableHeight))
    {
        windowed = false;
    }

    if (!MakeDisplay(!windowed))
    {
        Shutdown();
        return;
    }

    // Every sound plays through the music interface; the effects volume is
    // applied by whoever plays effects.
    musicInterface = CreateMixerMusicInterface();
    ApplyMusicVolume();
    SetCursor(commandLine.screensaverMode ? kCursorNone : kCursorPointer);
    AllowScreenSaver(allowScreenSaver);
    InitHook();
}

bool LumoAppBase::MakeDisplay(bool fullScreen)
{
    DisplayResult result = DisplayResult::Ok;
    if (!display->GetWindow().IsCreated())
    {
        result = display->Init(title, fullScreen, settings.is3D, settings.preferredX,
                               settings.preferredY);
    }
    else
    {
        result = display->SetFullScreen(fullScreen);
    }
    if (result != DisplayResult::Ok)
    {
        ReportDisplayFailure(result);
        return false;
    }
    windowed = !display->IsFullScreen();
    settings.fullScreen = !windowed;

    ApplyMouseMapping();

    bool rateUsable = false;
    refreshRate = EffectiveRefreshRate(display->GetReportedRefreshRate(), rateUsable);
    if (!rateUsable)
    {
        displayTooFast = true;
    }
    // Pacing by the display only works when presenting waits for its retrace.
    presentWaitsForRetrace = display->PresentWaitsForRetrace();
    if (settings.is3D && !display->IsAccelerated())
    {
        had3DProblem = true;
    }

    CommonLibrary::GameLockGuard lock;
    MarkAllWidgetsDirty();
    NotifyDisplayMade();
    fullRedrawRequested = true;
    return true;
}

void LumoAppBase::ReportDisplayFailure(DisplayResult result)
{
    std::string text;
    if (windowed && result == DisplayResult::InvalidColorDepth)
    {
        text = GetString("PLEASE_SET_COLOR_DEPTH", "Please set your desktop color depth to 16 bit.");
    }
    else
    {
        text = GetString("FAILED_INIT_DIRECTDRAW", "Failed to initialize the display: ") +
               DisplayResultName(static_cast<int>(result)) + " (" + display->GetLastError() + ")";
    }
    std::fprintf(stderr, "%s\n", text.c_str());
    ShowMessage(text);
}

bool LumoAppBase::SwitchScreenMode(bool fullScreen)
{
    fullScreenRequested = fullScreen;
    if (display == nullptr || !display->GetWindow().IsCreated())
    {
        windowed = !fullScreen;
        return true;
    }
    if (display->IsFullScreen() == fullScreen)
    {
        return true;
    }
    const bool wasWindowed = windowed;
    if (!MakeDisplay(fullScreen))
    {
        windowed = wasWindowed;
        return false;
    }
    return true;
}

bool LumoAppBase::IsFullScreen() const
{
    return !windowed;
}

bool LumoAppBase::Set3DAcceleration(bool on)
{
    if (on == settings.is3D)
    {
        return true;
    }
    settings.is3D = on;
    is3DChanged = true;
    if (display == nullptr || !display->GetWindow().IsCreated())
    {
        return true;
    }
    const DisplayResult result = display->SetAccelerated(on);
    if (result != DisplayResult::Ok)
    {
        ReportDisplayFailure(result);
        return false;
    }
    return MakeDisplay(!windowed);
}

void LumoAppBase::Confirm3DAcceleration()
{
    if (!is3DChanged)
    {
        return;
    }
    const std::string boxTitle =
        title + " " + GetString("HARDWARE_ACCEL_CONFIRMATION", "Hardware Acceleration Confirmation");
    if (!is3DAtStart && settings.is3D)
    {
        // A box that cannot be shown keeps what the player chose during the run.
        settings.is3D = ShowQuestionBox(
            boxTitle,
            GetString("HARDWARE_ACCEL_SWITCHED_ON",
                      "Hardware Acceleration was switched on during this session.\r\n"
                      "If this resulted in slower performance, it should be switched off.\r\n"
                      "Would you like to keep Hardware Acceleration switched on?"),
            true);
    }
    if (had3DProblem && settings.is3D && !commandLine.screensaverMode)
    {
        settings.is3D = ShowQuestionBox(
            boxTitle,
            GetString("HARDWARE_ACCEL_NOT_WORKING",
                      "Hardware Acceleration may not have been working correctly during this "
                      "session.\r\nIf you noticed graphics problems, you may want to turn off "
                      "Hardware Acceleration.\r\nWould you like to keep Hardware Acceleration "
                      "switched on?"),
            true);
    }
}

void LumoAppBase::CloseRequest()
{
    Shutdown();
}

void LumoAppBase::TerminationRequest()
{
    Shutdown();
}

void LumoAppBase::PumpWindowMessages()
{
    if (display == nullptr || !display->GetWindow().IsCreated())
    {
        return;
    }
    platformEvents.clear();
    display->GetWindow().PollEvents(platformEvents);
    for (const PlatformEvent& event : platformEvents)
    {
        if (shuttingDown)
        {
            break;
        }
        if (event.kind == PlatformEventKind::CloseRequested)
        {
            // A shut-down already on its way from elsewhere wins; the close
            // button then has nothing left to ask.
            if (!IsCloseRequestPending())
            {
                CommonLibrary::GameLockGuard lock;
                CloseRequest();
            }
            continue;
        }
        WindowMessage message;
        if (TranslatePlatformEvent(event, message))
        {
            messageQueue.push_back(message);
        }
    }
}

void LumoAppBase::DispatchMessage(const WindowMessage& original)
{
    WindowMessage message = original;
    switch (message.kind)
    {
    case WindowMessageKind::MouseMove:
    case WindowMessageKind::MouseDown:
    case WindowMessageKind::MouseUp:
        if (!mouseInWindow)
        {
            mouseInWindow = true;
            SetCursor(cursorKind);
        }
        if (message.kind == WindowMessageKind::MouseDown)
        {
            heldButtons |= ButtonBit(message.clickCount);
        }
        else if (message.kind == WindowMessageKind::MouseUp)
        {
            heldButtons &= ~ButtonBit(message.clickCount);
        }
        break;
    case WindowMessageKind::MouseExit:
        mouseInWindow = false;
        break;
    case WindowMessageKind::GotFocus:
        hasFocus = true;
        break;
    case WindowMessageKind::LostFocus:
        hasFocus = false;
        break;
    case WindowMessageKind::Minimized:
        minimized = true;
        break;
    case WindowMessageKind::Restored:
        minimized = false;
        fullRedrawRequested = true;
        MarkAllWidgetsDirty();
        break;
    case WindowMessageKind::Exposed:
        fullRedrawRequested = true;
        break;
    case WindowMessageKind::DisplayChanged:
        ApplyMouseMapping();
        fullRedrawRequested = true;
        break;
    default:
        break;
    }
    DispatchToWidgets(message);
    if (message.kind == WindowMessageKind::DisplayChanged)
    {
        MarkAllWidgetsDirty();
    }
}

void LumoAppBase::ApplyMouseMapping()
{
    pictureRect = display != nullptr && display->GetWindow().IsCreated()
                      ? display->GetPictureRect()
                      : PixelRect{0, 0, width, height};
    widgetManager->SetMouseMapping(
        Rect(pictureRect.x, pictureRect.y, pictureRect.width, pictureRect.height),
        Rect(0, 0, width, height));
}

// ---- widget tree --------------------------------------------------------------

void LumoAppBase::DispatchToWidgets(const WindowMessage& message)
{
    WidgetManager& manager = *widgetManager;
    switch (message.kind)
    {
    case WindowMessageKind::MouseMove:
    {
        const Point point = manager.MapMouse(message.x, message.y);
        if (heldButtons != 0)
        {
            manager.MouseDrag(point.x, point.y);
        }
        else
        {
            manager.MouseMove(point.x, point.y);
        }
        break;
    }
    case WindowMessageKind::MouseDown:
    {
        const Point point = manager.MapMouse(message.x, message.y);
        manager.MouseDown(point.x, point.y, message.clickCount);
        break;
    }
    case WindowMessageKind::MouseUp:
    {
        const Point point = manager.MapMouse(message.x, message.y);
        manager.MouseUp(point.x, point.y, message.clickCount);
        break;
    }
    case WindowMessageKind::MouseWheel:
        manager.MouseWheel(message.wheelDelta);
        break;
    case WindowMessageKind::MouseExit:
        manager.MouseExit();
        SetCursor(cursorKind);
        break;
    case WindowMessageKind::KeyDown:
        manager.KeyDown(message.keyCode);
        break;
    case WindowMessageKind::KeyUp:
        manager.KeyUp(message.keyCode);
        break;
    case WindowMessageKind::KeyChar:
        manager.KeyChar(static_cast<char>(message.character));
        break;
    case WindowMessageKind::GotFocus:
        manager.GotFocus();
        break;
    case WindowMessageKind::LostFocus:
        manager.LostFocus();
        break;
    case WindowMessageKind::DisplayChanged:
        manager.SysColorChangedAll();
        break;
    default:
        break;
    }
}

bool LumoAppBase::UpdateWidgets()
{
    return widgetManager->UpdateFrame();
}

void LumoAppBase::UpdateWidgetsFraction(float updatesPerFrame)
{
    widgetManager->UpdateFrameF(updatesPerFrame);
}

bool LumoAppBase::DrawWidgets()
{
    return widgetManager->DrawScreen();
}

void LumoAppBase::MarkAllWidgetsDirty()
{
    widgetManager->MarkAllDirty();
}

void LumoAppBase::NotifyDisplayMade()
{
    widgetManager->DisplayRecreated();
}

Image* LumoAppBase::GetScreenImage()
{
    return display != nullptr ? display->GetScreenImage() : nullptr;
}

void LumoAppBase::BeginScreenDraw()
{
    // The screen is drawn in software straight into its surface.
    if (display != nullptr)
    {
        (void)display->GetScreenImage()->LockSurface();
    }
}

void LumoAppBase::EndScreenDraw()
{
    if (display != nullptr)
    {
        display->GetScreenImage()->UnlockSurface();
    }
}

// ---- settings ---------------------------------------------------------------

void LumoAppBase::SetSettingsFilePath(const std::string& path)
{
    settingsStore.SetFilePath(path);
    settingsPathChosen = true;
}

void LumoAppBase::ReadSettings()
{
    if (registryKey.empty())
    {
        return;
    }
    if (!settingsPathChosen)
    {
        // "Maker\Game": SDL's per-user folder for that maker and game.
        const std::size_t separator = registryKey.find_first_of("\\/");
        const std::string maker =
            separator == std::string::npos ? std::string() : registryKey.substr(0, separator);
        const std::string game =
            separator == std::string::npos ? registryKey : registryKey.substr(separator + 1);
        const std::string folder = GetPreferencesFolder(maker, game);
        if (!folder.empty())
        {
            SetSettingsFilePath(folder + "settings.txt");
        }
    }
    if (settingsStore.Load() == SettingsLoadResult::Corrupt)
    {
        std::fprintf(stderr, "The settings file %s is damaged; the defaults apply.\n",
                     settingsStore.GetFilePath().c_str());
    }
    settings.ReadFrom(settingsStore);
    muteCount = settings.muted ? 1 : 0;
    automaticMuteCount = 0;
}

void LumoAppBase::WriteSettings()
{
    if (registryKey.empty())
    {
        return;
    }
    int x = 0;
    int y = 0;
    if (windowed && display != nullptr && display->GetWindow().GetPosition(x, y))
    {
        settings.preferredX = x;
        settings.preferredY = y;
    }
    settings.fullScreen = !windowed;
    settings.muted = muteCount - automaticMuteCount > 0;
    settings.WriteTo(settingsStore, false);
    if (!settingsStore.Save())
    {
        std::fprintf(stderr, "The settings could not be written to %s.\n",
                     settingsStore.GetFilePath().c_str());
    }
}

bool LumoAppBase::ReadRegistryValue(const std::string& name, std::uint32_t& type, void* data,
                                    std::uint32_t& length)
{
    if (registryKey.empty())
    {
        return false;
    }
    const std::optional<SettingsStore::Value> value = settingsStore.Get(name);
    if (!value)
    {
        return false;
    }
    std::uint32_t needed = 0;
    if (const auto* number = std::get_if<std::int32_t>(&*value))
    {
        type = kRegistryInteger;
        needed = sizeof(std::int32_t);
        if (data != nullptr && length >= needed)
        {
            std::memcpy(data, number, needed);
        }
    }
    else
    {
        const std::string& text = std::get<std::string>(*value);
        type = kRegistryString;
        needed = static_cast<std::uint32_t>(text.size() + 1);
        if (data != nullptr && length >= needed)
        {
            std::memcpy(data, text.c_str(), needed);
        }
    }
    const bool fits = data == nullptr || length >= needed;
    length = needed;
    return fits;
}

bool LumoAppBase::WriteRegistryValue(const std::string& name, std::uint32_t type,
                                     const void* data, std::uint32_t length)
{
    if (registryKey.empty() || name.empty() || (data == nullptr && length > 0))
    {
        return false;
    }
    if (type == kRegistryInteger)
    {
        if (length != sizeof(std::int32_t))
        {
            return false;
        }
        std::int32_t number = 0;
        std::memcpy(&number, data, sizeof number);
        settingsStore.SetInteger(name, number);
    }
    else if (type == kRegistryString)
    {
        const char* text = static_cast<const char*>(data);
        // A final zero byte is not part of the text.
        std::size_t size = length;
        while (size > 0 && text[size - 1] == '\0')
        {
            --size;
        }
        settingsStore.SetString(name, std::string(text, size));
    }
    else
    {
        return false;
    }
    return settingsStore.Save();
}

bool LumoAppBase::RegistryWriteString(const std::string& name, const std::string& text)
{
    return WriteRegistryValue(name, kRegistryString, text.c_str(),
                              static_cast<std::uint32_t>(text.size() + 1));
}

bool LumoAppBase::RegistryWriteInteger(const std::string& name, int value)
{
    const std::int32_t number = value;
    return WriteRegistryValue(name, kRegistryInteger, &number, sizeof number);
}

bool LumoAppBase::RegistryWriteBoolean(const std::string& name, bool value)
{
    return RegistryWriteInteger(name, value ? 1 : 0);
}

bool LumoAppBase::RegistryReadString(const std::string& name, std::string& text)
{
    char buffer[kMaxRegistryStringBytes + 1];
    std::uint32_t type = 0;
    std::uint32_t length = sizeof buffer;
    if (!ReadRegistryValue(name, type, buffer, length) || type != kRegistryString)
    {
        return false;
    }
    text.assign(buffer, length - 1);
    return true;
}

bool LumoAppBase::RegistryReadInteger(const std::string& name, int& value)
{
    std::int32_t number = 0;
    std::uint32_t type = 0;
    std::uint32_t length = sizeof number;
    if (!ReadRegistryValue(name, type, &number, length) || type != kRegistryInteger)
    {
        return false;
    }
    value = number;
    return true;
}

bool LumoAppBase::RegistryReadBoolean(const std::string& name, bool& value)
{
    int number = 0;
    if (!RegistryReadInteger(name, number))
    {
        return false;
    }
    value = number != 0;
    return true;
}

// ---- services -------------------------------------------------------------

void LumoAppBase::SetMusicVolume(double volume)
{
    settings.musicVolume = volume;
    ApplyMusicVolume();
}

void LumoAppBase::ApplyMusicVolume()
{
    if (musicInterface != nullptr)
    {
        musicInterface->SetMasterVolume(IsMuted() ? 0.0 : settings.musicVolume);
    }
}

void LumoAppBase::SetSfxVolume(double volume)
{
    settings.sfxVolume = volume;
}

void LumoAppBase::Mute(bool automatic)
{
    ++muteCount;
    if (automatic)
    {
        ++automaticMuteCount;
    }
    ApplyMusicVolume();
}

void LumoAppBase::Unmute(bool automatic)
{
    if (muteCount > 0)
    {
        --muteCount;
        if (automatic && automaticMuteCount > 0)
        {
            --automaticMuteCount;
        }
    }
    ApplyMusicVolume();
}

std::unique_ptr<DDImage> LumoAppBase::GetImage(const std::string& path, bool commitBits)
{
    if (display == nullptr)
    {
        return nullptr;
    }
    return Lumo::GetImage(display.get(), path, commitBits);
}

bool LumoAppBase::AddPakFile(const std::string& path)
{
    return pakInterface->AddPakFile(path);
}

void LumoAppBase::SetCursor(int kind)
{
    cursorKind = kind;
    if (display != nullptr)
    {
        display->GetWindow().ApplyCursor(kind, false);
    }
}

std::string LumoAppBase::GetString(const std::string& key, const std::string& defaultText) const
{
    const auto found = stringTable.find(key);
    return found != stringTable.end() ? found->second : defaultText;
}

void LumoAppBase::SetString(const std::string& key, const std::string& text)
{
    stringTable[key] = text;
}

void LumoAppBase::ShowMessage(const std::string& text)
{
    (void)ShowMessageBox(title.empty() ? productName : title, text);
}

std::string LumoAppBase::GetClipboard() const
{
    return GetClipboardText();
}

void LumoAppBase::SetClipboard(const std::string& text)
{
    (void)SetClipboardText(text);
}

bool LumoAppBase::OpenURL(const std::string& address)
{
    return OpenAddress(address);
}

void LumoAppBase::SetAllowScreenSaver(bool allow)
{
    allowScreenSaver = allow;
    AllowScreenSaver(allow);
}

} // namespace Lumo
