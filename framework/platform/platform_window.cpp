// The game's one window on SDL: creation, full screen, events and presenting.
// SPDX-License-Identifier: MIT
#include "framework/platform/platform_window.h"

#include "framework/platform/hand_cursors.h"
#include "framework/platform/platform_keys.h"

#include <SDL.h>

#include <array>

namespace Lumo
{

namespace
{

constexpr int kCursorKindCount = 13;
constexpr int kCursorHand = 1;
constexpr int kCursorDraggingHand = 2;
constexpr int kCursorNone = 11;
constexpr int kCursorDrawn = 12;

std::string WithReason(const char* step)
{
    return std::string(step) + ": " + SDL_GetError();
}

SDL_Cursor* MakePictureCursor(const CursorPicture& picture)
{
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint32_t*>(picture.argb.data()), kHandCursorSize, kHandCursorSize, 32,
        kHandCursorSize * 4, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr)
    {
        return nullptr;
    }
    SDL_Cursor* cursor = SDL_CreateColorCursor(surface, picture.hotX, picture.hotY);
    SDL_FreeSurface(surface);
    return cursor;
}

// Appends the Latin-1 characters of a UTF-8 text; others have no key character.
void AppendCharacters(const char* utf8, std::vector<PlatformEvent>& out)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8);
    while (*bytes != 0)
    {
        unsigned codePoint = 0;
        int extra = 0;
        if (*bytes < 0x80)
        {
            codePoint = *bytes;
        }
        else if ((*bytes & 0xE0) == 0xC0)
        {
            codePoint = *bytes & 0x1F;
            extra = 1;
        }
        else if ((*bytes & 0xF0) == 0xE0)
        {
            codePoint = *bytes & 0x0F;
            extra = 2;
        }
        else
        {
            codePoint = 0x110000; // four-byte or stray byte: never Latin-1
            extra = (*bytes & 0xF8) == 0xF0 ? 3 : 0;
        }
        ++bytes;
        for (; extra > 0 && (*bytes & 0xC0) == 0x80; --extra, ++bytes)
        {
            codePoint = (codePoint << 6) | (*bytes & 0x3F);
        }
        if (codePoint >= 0x20 && codePoint < 0x100 && codePoint != 0x7F)
        {
            PlatformEvent event;
            event.kind = PlatformEventKind::KeyChar;
            event.character = static_cast<unsigned char>(codePoint);
            out.push_back(event);
        }
    }
}

bool ButtonFromSdl(Uint8 sdlButton, MouseButton& button)
{
    switch (sdlButton)
    {
    case SDL_BUTTON_LEFT:
        button = MouseButton::Left;
        return true;
    case SDL_BUTTON_RIGHT:
        button = MouseButton::Right;
        return true;
    case SDL_BUTTON_MIDDLE:
        button = MouseButton::Middle;
        return true;
    default:
        return false;
    }
}

} // namespace

PixelRect ComputePictureRect(int appWidth, int appHeight, int outWidth, int outHeight,
                             bool fullScreen)
{
    if (!fullScreen || appWidth <= 0 || appHeight <= 0 || outWidth <= 0 || outHeight <= 0)
    {
        return {0, 0, appWidth, appHeight};
    }
    PixelRect rect;
    const long long widthAtFullHeight = static_cast<long long>(appWidth) * outHeight / appHeight;
    if (widthAtFullHeight <= outWidth)
    {
        rect.width = static_cast<int>(widthAtFullHeight);
        rect.height = outHeight;
    }
    else
    {
        rect.width = outWidth;
        rect.height = static_cast<int>(static_cast<long long>(appHeight) * outWidth / appWidth);
    }
    rect.x = (outWidth - rect.width) / 2;
    rect.y = (outHeight - rect.height) / 2;
    return rect;
}

struct PlatformWindow::State
{
    bool videoStarted = false;
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int appWidth = 0;
    int appHeight = 0;
    bool fullScreen = false;
    bool presentWaitsForRetrace = false;
    bool accelerationRequested = false;
    bool isAccelerated = false;
    std::array<SDL_Cursor*, kCursorKindCount> cursors{};
    int appliedCursor = -1;
    bool appliedHidden = false;

    void DestroyRenderer()
    {
        if (texture != nullptr)
        {
            SDL_DestroyTexture(texture);
            texture = nullptr;
        }
        if (renderer != nullptr)
        {
            SDL_DestroyRenderer(renderer);
            renderer = nullptr;
        }
    }

    void ReadRendererInfo()
    {
        SDL_RendererInfo info{};
        if (SDL_GetRendererInfo(renderer, &info) == 0)
        {
            presentWaitsForRetrace = (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
            isAccelerated = (info.flags & SDL_RENDERER_ACCELERATED) != 0;
        }
    }

    // The renderer and the streaming texture of the application's size, on
    // the existing window.
    DisplayResult CreateRenderer(bool accelerated, std::string& error)
    {
        DestroyRenderer();
        accelerationRequested = accelerated;
        // Without acceleration the picture goes to the window through shared
        // memory; SDL would otherwise route it through a GL texture as well.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, accelerated ? "1" : "0");
        if (accelerated)
        {
            // Full screen follows the display's retrace; a window is paced by the timer.
            renderer = SDL_CreateRenderer(
                window, -1, SDL_RENDERER_ACCELERATED | (fullScreen ? SDL_RENDERER_PRESENTVSYNC : 0));
        }
        if (renderer == nullptr)
        {
            renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
        }
        if (renderer == nullptr)
        {
            error = WithReason("Create Renderer");
            return DisplayResult::CreateFail;
        }
        presentWaitsForRetrace = false;
        isAccelerated = false;
        ReadRendererInfo();
        SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
        texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                    SDL_TEXTUREACCESS_STREAMING, appWidth, appHeight);
        if (texture == nullptr)
        {
            error = WithReason("Create Draw Surface");
            DestroyRenderer();
            return DisplayResult::SurfaceFail;
        }
        return DisplayResult::Ok;
    }

    void DestroyDisplay()
    {
        DestroyRenderer();
        if (window != nullptr)
        {
            SDL_DestroyWindow(window);
            window = nullptr;
        }
    }

    void CreateCursors()
    {
        const SDL_SystemCursor systemKinds[kCursorKindCount] = {
            SDL_SYSTEM_CURSOR_ARROW,    SDL_SYSTEM_CURSOR_HAND,     SDL_SYSTEM_CURSOR_HAND,
            SDL_SYSTEM_CURSOR_IBEAM,    SDL_SYSTEM_CURSOR_NO,       SDL_SYSTEM_CURSOR_SIZEALL,
            SDL_SYSTEM_CURSOR_SIZENESW, SDL_SYSTEM_CURSOR_SIZENS,   SDL_SYSTEM_CURSOR_SIZENWSE,
            SDL_SYSTEM_CURSOR_SIZEWE,   SDL_SYSTEM_CURSOR_WAIT,     SDL_SYSTEM_CURSOR_ARROW,
            SDL_SYSTEM_CURSOR_ARROW,
        };
        for (int kind = 0; kind < kCursorKindCount; ++kind)
        {
            if (kind == kCursorHand)
            {
                cursors[kind] = MakePictureCursor(PointingHandCursor());
            }
            else if (kind == kCursorDraggingHand)
            {
                cursors[kind] = MakePictureCursor(DraggingHandCursor());
            }
            // A driver without colour cursors still gets a system shape.
            if (cursors[kind] == nullptr)
            {
                cursors[kind] = SDL_CreateSystemCursor(systemKinds[kind]);
            }
        }
    }

    void FreeCursors()
    {
        for (SDL_Cursor*& cursor : cursors)
        {
            if (cursor != nullptr)
            {
                SDL_FreeCursor(cursor);
                cursor = nullptr;
            }
        }
    }
};

PlatformWindow::PlatformWindow() : state(std::make_unique<State>()) {}

PlatformWindow::~PlatformWindow()
{
    state->DestroyDisplay();
    if (state->videoStarted)
    {
        state->FreeCursors();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
}

bool PlatformWindow::InitVideo(std::string& error)
{
    if (state->videoStarted)
    {
        return true;
    }
    // The application handles SIGINT and SIGTERM itself (an orderly shut-down),
    // and one window's close button must ask the game only once.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
    {
        error = SDL_GetError();
        return false;
    }
    state->videoStarted = true;
    state->CreateCursors();
    return true;
}

DisplayResult PlatformWindow::Create(const std::string& title, int width, int height,
                                     bool fullScreen, bool accelerated, int preferredX,
                                     int preferredY, std::string& error)
{
    state->DestroyDisplay();
    if (!InitVideo(error))
    {
        return DisplayResult::CreateFail;
    }
    state->appWidth = width;
    state->appHeight = height;
    state->fullScreen = fullScreen;
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (fullScreen)
    {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    const int x = preferredX >= 0 ? preferredX : static_cast<int>(SDL_WINDOWPOS_CENTERED);
    const int y = preferredY >= 0 ? preferredY : static_cast<int>(SDL_WINDOWPOS_CENTERED);
    state->window = SDL_CreateWindow(title.c_str(), x, y, width, height, flags);
    if (state->window == nullptr)
    {
        error = WithReason("Create Window");
        return fullScreen ? DisplayResult::ExclusiveFail : DisplayResult::CreateFail;
    }
    const DisplayResult result = state->CreateRenderer(accelerated, error);
    if (result != DisplayResult::Ok)
    {
        state->DestroyDisplay();
        return result;
    }
    state->appliedCursor = -1;
    return DisplayResult::Ok;
}

DisplayResult PlatformWindow::SetFullScreen(bool fullScreen, std::string& error)
{
    if (state->window == nullptr)
    {
        error = "Set Display Mode: no window";
        return DisplayResult::Fail;
    }
    if (fullScreen == state->fullScreen)
    {
        return DisplayResult::Ok;
    }
    if (SDL_SetWindowFullscreen(state->window, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) !=
        0)
    {
        error = WithReason(fullScreen ? "Set FullScreen" : "Set Windowed");
        return fullScreen ? DisplayResult::ExclusiveFail : DisplayResult::DisplayChangeFail;
    }
    if (!fullScreen)
    {
        SDL_SetWindowSize(state->window, state->appWidth, state->appHeight);
    }
    state->fullScreen = fullScreen;
    if (state->isAccelerated)
    {
        (void)SDL_RenderSetVSync(state->renderer, fullScreen ? 1 : 0);
        state->ReadRendererInfo();
    }
    return DisplayResult::Ok;
}

DisplayResult PlatformWindow::SetAccelerated(bool accelerated, std::string& error)
{
    if (state->window == nullptr)
    {
        error = "Set Renderer: no window";
        return DisplayResult::Fail;
    }
    return state->CreateRenderer(accelerated, error);
}

bool PlatformWindow::IsAccelerated() const
{
    return state->isAccelerated;
}

bool PlatformWindow::IsCreated() const
{
    return state->window != nullptr;
}

bool PlatformWindow::IsFullScreen() const
{
    return state->fullScreen;
}

bool PlatformWindow::IsMinimized() const
{
    return state->window != nullptr &&
           (SDL_GetWindowFlags(state->window) & SDL_WINDOW_MINIMIZED) != 0;
}

bool PlatformWindow::HasInputFocus() const
{
    return state->window != nullptr &&
           (SDL_GetWindowFlags(state->window) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

void PlatformWindow::Show()
{
    if (state->window != nullptr)
    {
        SDL_ShowWindow(state->window);
        SDL_RaiseWindow(state->window);
    }
}

void PlatformWindow::Raise()
{
    if (state->window != nullptr)
    {
        SDL_RestoreWindow(state->window);
        SDL_RaiseWindow(state->window);
    }
}

bool PlatformWindow::Present(const std::uint32_t* argb, int width, int height,
                             std::string& error)
{
    if (state->texture == nullptr || width != state->appWidth || height != state->appHeight)
    {
        error = "Redraw: no display of that size";
        return false;
    }
    const char* step = state->fullScreen ? "Redraw FullScreen Flip" : "Redraw Windowed";
    if (SDL_UpdateTexture(state->texture, nullptr, argb, width * 4) != 0)
    {
        error = WithReason(step);
        return false;
    }
    int outWidth = 0;
    int outHeight = 0;
    if (SDL_GetRendererOutputSize(state->renderer, &outWidth, &outHeight) != 0)
    {
        error = WithReason(step);
        return false;
    }
    const PixelRect picture =
        ComputePictureRect(width, height, outWidth, outHeight, state->fullScreen);
    const SDL_Rect target{picture.x, picture.y, picture.width, picture.height};
    SDL_SetRenderDrawColor(state->renderer, 0, 0, 0, 255);
    if (SDL_RenderClear(state->renderer) != 0 ||
        SDL_RenderCopy(state->renderer, state->texture, nullptr, &target) != 0)
    {
        error = WithReason(step);
        return false;
    }
    SDL_RenderPresent(state->renderer);
    return true;
}

void PlatformWindow::PollEvents(std::vector<PlatformEvent>& out)
{
    SDL_Event sdlEvent;
    while (SDL_PollEvent(&sdlEvent) != 0)
    {
        PlatformEvent event;
        switch (sdlEvent.type)
        {
        case SDL_MOUSEMOTION:
            event.kind = PlatformEventKind::MouseMove;
            event.x = sdlEvent.motion.x;
            event.y = sdlEvent.motion.y;
            out.push_back(event);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (ButtonFromSdl(sdlEvent.button.button, event.button))
            {
                const bool down = sdlEvent.type == SDL_MOUSEBUTTONDOWN;
                event.kind = down ? PlatformEventKind::MouseButtonDown
                                  : PlatformEventKind::MouseButtonUp;
                event.x = sdlEvent.button.x;
                event.y = sdlEvent.button.y;
                event.clicks = sdlEvent.button.clicks;
                out.push_back(event);
                if (down)
                {
                    SDL_CaptureMouse(SDL_TRUE);
                }
                else if ((SDL_GetMouseState(nullptr, nullptr) &
                          (SDL_BUTTON_LMASK | SDL_BUTTON_RMASK | SDL_BUTTON_MMASK)) == 0)
                {
                    SDL_CaptureMouse(SDL_FALSE);
                }
            }
            break;
        case SDL_MOUSEWHEEL:
            event.kind = PlatformEventKind::MouseWheel;
            event.wheelNotches = sdlEvent.wheel.direction == SDL_MOUSEWHEEL_FLIPPED
                                     ? -sdlEvent.wheel.y
                                     : sdlEvent.wheel.y;
            if (event.wheelNotches != 0)
            {
                out.push_back(event);
            }
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            event.keyCode = VirtualKeyFromSdlKeycode(sdlEvent.key.keysym.sym);
            if (event.keyCode != 0)
            {
                const bool down = sdlEvent.type == SDL_KEYDOWN;
                event.kind = down ? PlatformEventKind::KeyDown : PlatformEventKind::KeyUp;
                out.push_back(event);
                // Text input brings no characters for these keys, yet edit
                // fields expect them as characters too.
                const int code = event.keyCode;
                if (down && (code == kVirtualKeyBackspace || code == kVirtualKeyTab ||
                             code == kVirtualKeyEnter || code == kVirtualKeyEscape))
                {
                    PlatformEvent character;
                    character.kind = PlatformEventKind::KeyChar;
                    character.character = static_cast<unsigned char>(code);
                    out.push_back(character);
                }
            }
            break;
        case SDL_TEXTINPUT:
            AppendCharacters(sdlEvent.text.text, out);
            break;
        case SDL_QUIT:
            event.kind = PlatformEventKind::CloseRequested;
            out.push_back(event);
            break;
        case SDL_WINDOWEVENT:
            switch (sdlEvent.window.event)
            {
            case SDL_WINDOWEVENT_CLOSE:
                event.kind = PlatformEventKind::CloseRequested;
                break;
            case SDL_WINDOWEVENT_FOCUS_GAINED:
                event.kind = PlatformEventKind::FocusGained;
                break;
            case SDL_WINDOWEVENT_FOCUS_LOST:
                event.kind = PlatformEventKind::FocusLost;
                break;
            case SDL_WINDOWEVENT_ENTER:
                event.kind = PlatformEventKind::MouseEntered;
                break;
            case SDL_WINDOWEVENT_LEAVE:
                event.kind = PlatformEventKind::MouseLeft;
                break;
            case SDL_WINDOWEVENT_MINIMIZED:
                event.kind = PlatformEventKind::Minimized;
                break;
            case SDL_WINDOWEVENT_RESTORED:
                event.kind = PlatformEventKind::Restored;
                break;
            case SDL_WINDOWEVENT_EXPOSED:
                event.kind = PlatformEventKind::Exposed;
                break;
            case SDL_WINDOWEVENT_SIZE_CHANGED:
            case SDL_WINDOWEVENT_DISPLAY_CHANGED:
                event.kind = PlatformEventKind::DisplayChanged;
                break;
            default:
                continue;
            }
            out.push_back(event);
            break;
        case SDL_RENDER_TARGETS_RESET:
        case SDL_RENDER_DEVICE_RESET:
            event.kind = PlatformEventKind::Exposed;
            out.push_back(event);
            break;
        default:
            break;
        }
    }
}

PixelRect PlatformWindow::GetPictureRect() const
{
    if (state->window == nullptr)
    {
        return {0, 0, state->appWidth, state->appHeight};
    }
    if (!state->fullScreen)
    {
        return {0, 0, state->appWidth, state->appHeight};
    }
    // A full-screen window covers its desktop; the desktop's size is known at
    // once, while the window learns its new size only from a later event.
    int width = 0;
    int height = 0;
    SDL_DisplayMode desktop{};
    const int displayIndex = SDL_GetWindowDisplayIndex(state->window);
    if (displayIndex >= 0 && SDL_GetDesktopDisplayMode(displayIndex, &desktop) == 0)
    {
        width = desktop.w;
        height = desktop.h;
    }
    else
    {
        SDL_GetWindowSize(state->window, &width, &height);
    }
    return ComputePictureRect(state->appWidth, state->appHeight, width, height, true);
}

int PlatformWindow::GetRefreshRate() const
{
    if (state->window == nullptr)
    {
        return 0;
    }
    const int displayIndex = SDL_GetWindowDisplayIndex(state->window);
    SDL_DisplayMode mode{};
    if (displayIndex < 0 || SDL_GetCurrentDisplayMode(displayIndex, &mode) != 0)
    {
        return 0;
    }
    return mode.refresh_rate;
}

bool PlatformWindow::PresentWaitsForRetrace() const
{
    return state->presentWaitsForRetrace;
}

bool PlatformWindow::GetUsableDesktopSize(int& width, int& height) const
{
    const int displayIndex =
        state->window != nullptr ? SDL_GetWindowDisplayIndex(state->window) : 0;
    SDL_Rect bounds{};
    if (displayIndex < 0 || SDL_GetDisplayUsableBounds(displayIndex, &bounds) != 0)
    {
        return false;
    }
    width = bounds.w;
    height = bounds.h;
    return true;
}

bool PlatformWindow::GetPosition(int& x, int& y) const
{
    if (state->window == nullptr)
    {
        return false;
    }
    SDL_GetWindowPosition(state->window, &x, &y);
    return true;
}

void PlatformWindow::ApplyCursor(int kind, bool hideSystemCursor)
{
    if (!state->videoStarted || kind < 0 || kind >= kCursorKindCount)
    {
        return;
    }
    const bool hidden = hideSystemCursor || kind == kCursorNone || kind == kCursorDrawn;
    if (kind == state->appliedCursor && hidden == state->appliedHidden)
    {
        return;
    }
    state->appliedCursor = kind;
    state->appliedHidden = hidden;
    if (state->cursors[kind] != nullptr)
    {
        SDL_SetCursor(state->cursors[kind]);
    }
    SDL_ShowCursor(hidden ? SDL_DISABLE : SDL_ENABLE);
}

} // namespace Lumo
