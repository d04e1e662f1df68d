// The application base: window, settings, the main loop and its pacing.
// SPDX-License-Identifier: MIT
//
// Rules of this module:
// - One application object per process. Everything here runs on the main
//   (window) thread unless a method says otherwise.
// - The main loop takes the game lock around each dispatched window message,
//   each logical update and each draw pass, and presents outside it.
// - Time comes only from the Clock given at construction, so the pacing can
//   be driven by a test clock. The loop sleeps whenever nothing is due.
// - Shut-down asked for from another thread (or by SIGTERM/SIGINT) is only
//   recorded and performed at the loop's next pacing step.
// - The application owns the widget manager and is its host. The loop
//   reaches the tree only through the virtual hooks of the "widget tree"
//   section, which tests replace to run without widgets.
#pragma once

#include "framework/app/app_settings.h"
#include "framework/app/clock.h"
#include "framework/app/command_line.h"
#include "framework/app/settings_store.h"
#include "framework/app/window_message.h"
#include "framework/platform/platform_events.h"
#include "framework/platform/platform_window.h"
#include "framework/platform/single_instance.h"
#include "framework/widgets/widget_manager.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace Lumo
{

class DDImage;
class DDInterface;
class MusicInterface;
class PakInterface;
class SharedImageTable;

// Type tags of values under the application's settings key.
constexpr std::uint32_t kRegistryString = 1;
constexpr std::uint32_t kRegistryInteger = 4;

// Turns one platform event into a queued window message. Returns false for
// events that are not queued (the close request goes straight to the app).
bool TranslatePlatformEvent(const PlatformEvent& event, WindowMessage& message);

// Statistics of one run of the main loop.
struct LoopStatistics
{
    std::int64_t runMs = 0;
    int sleepCount = 0;
    int updateCount = 0;
    int drawCount = 0;
    std::int64_t drawTimeMs = 0;
    std::int64_t presentTimeMs = 0;
};

// The statistics lines written when the loop ends, in their order.
std::string FormatLoopStatistics(const LoopStatistics& statistics);

class LumoAppBase : public IWidgetManagerHost
{
public:
    explicit LumoAppBase(std::unique_ptr<Clock> clock = nullptr);
    ~LumoAppBase() override;
    LumoAppBase(const LumoAppBase&) = delete;
    LumoAppBase& operator=(const LumoAppBase&) = delete;

    // ---- start-up and the loop ----------------------------------------

    // Arguments after the program name; read by Init.
    void SetCommandLine(std::vector<std::string> arguments);
    // The framework's initialisation: command line, start folder, single
    // instance, settings, window and display, then InitHook. When anything
    // ends the program early (a refused option, another instance, no
    // display) the application is left shutting down and Run returns at
    // once; the caller still ends with exit code 0.
    virtual void Init();
    // The main loop; returns once the application has shut down.
    void Run();
    // One logical update. Returns false when updates are blocked.
    bool UpdateOnce();
    // Draws dirty widgets and presents. Returns true when a frame was shown.
    bool Redraw();
    // One application update: steps until a logical update happened or a
    // step reports that it cannot go on.
    void AppUpdate();
    // One step of the loop (pump, decide, after-update or draw/sleep).
    // Returns false when the loop must not go on; updated tells whether a
    // logical update happened.
    bool Step(bool& updated);

    // Ends the loop after the current step (main thread).
    void Shutdown();
    // Asks for a shut-down from any thread; the loop performs it.
    void RequestShutdown();
    // Asks from any thread for CloseRequest to run on the main thread at the
    // loop's next step, as if the window's close button had been pressed.
    void RequestClose();
    bool IsCloseRequestPending() const;
    bool IsShuttingDown() const { return shuttingDown; }

    // ---- notifications for derived applications ------------------------

    // Called once on the main thread when the loading phase is over.
    virtual void LoadingCompleted() {}
    // Called when the window is asked to close. The base shuts down.
    virtual void CloseRequest();
    // Called by the loop for SIGTERM/SIGINT: shut down in order, without
    // asking anybody. The base shuts down.
    virtual void TerminationRequest();

    // ---- settings store --------------------------------------------------

    // The settings file; by default derived from the registry key at Init.
    void SetSettingsFilePath(const std::string& path);
    void SetRegistryKey(const std::string& key) { registryKey = key; }
    const std::string& GetRegistryKey() const { return registryKey; }
    // Reads one value. length is the data buffer's size in bytes and
    // returns the value's size (strings with their final zero byte). Returns
    // false when the value is absent, the key is empty, or data is too small
    // (length then tells the size needed). A null data only asks the size.
    bool ReadRegistryValue(const std::string& name, std::uint32_t& type, void* data,
                           std::uint32_t& length);
    // Writes one value and saves the file. Returns false when the key is
    // empty, the type unknown, or the file could not be written.
    bool WriteRegistryValue(const std::string& name, std::uint32_t type, const void* data,
                            std::uint32_t length);
    bool RegistryWriteString(const std::string& name, const std::string& text);
    bool RegistryWriteInteger(const std::string& name, int value);
    bool RegistryWriteBoolean(const std::string& name, bool value);
    // A string of at most 1023 bytes; false otherwise.
    bool RegistryReadString(const std::string& name, std::string& text);
    bool RegistryReadInteger(const std::string& name, int& value);
    bool RegistryReadBoolean(const std::string& name, bool& value);
    void ReadSettings();
    void WriteSettings();
    const AppSettings& GetSettings() const { return settings; }

    // ---- services ---------------------------------------------------------

    double GetMusicVolume() const { return settings.musicVolume; }
    void SetMusicVolume(double volume);
    double GetSfxVolume() const { return settings.sfxVolume; }
    void SetSfxVolume(double volume);
    void Mute(bool automatic = false);
    void Unmute(bool automatic = false);
    bool IsMuted() const { return muteCount > 0; }

    // Switches between windowed and full screen now; false when the display
    // refused (the old mode then stays).
    bool SwitchScreenMode(bool fullScreen);
    bool IsFullScreen() const;
    // Draws through the accelerated renderer (on) or in software (off), now;
    // remembered as "Is3D". False when the display could not be made.
    bool Set3DAcceleration(bool on);
    bool Is3DAccelerated() const { return settings.is3D; }
    // Cursor kinds 0-12, see platform_window.h.
    void SetCursor(int kind);
    int GetCursor() const { return cursorKind; }
    // A text of the application's string table, or the given default.
    std::string GetString(const std::string& key, const std::string& defaultText) const;
    void SetString(const std::string& key, const std::string& text);
    // Shows a message box titled with the application's title.
    void ShowMessage(const std::string& text);
    // Queues a deletion for the end of the current loop step.
    void DeferDeletion(std::function<void()> deletion);
    // The clipboard and the browser.
    std::string GetClipboard() const;
    void SetClipboard(const std::string& text);
    bool OpenURL(const std::string& address);
    void SetAllowScreenSaver(bool allow);

    // The picture at path as a new image of the display (the caller owns it),
    // or null when it does not load or there is no display yet.
    std::unique_ptr<DDImage> GetImage(const std::string& path, bool commitBits = true);
    // Images shared by path; null until the display exists.
    SharedImageTable* GetSharedImages() { return sharedImages.get(); }
    // The music interface; null until Init has made it.
    MusicInterface* GetMusicInterface() { return musicInterface.get(); }
    // Adds a package to the package layer; false when it is missing or damaged.
    bool AddPakFile(const std::string& path);

    DDInterface* GetDisplay() { return display.get(); }
    Clock& GetClock() { return *clock; }
    WidgetManager* GetWidgetManager() { return widgetManager.get(); }
    // Where the picture lies in the window, in window pixels: the source of
    // the widget manager's mouse mapping.
    const PixelRect& GetPictureRect() const { return pictureRect; }

    // ---- IWidgetManagerHost ----------------------------------------------

    void SetCursorKind(int kind) override { SetCursor(kind); }
    bool Is3DActive() const override { return false; }
    bool HasAppFocus() const override { return hasFocus; }
    Image* GetScreenImage() override;
    void BeginScreenDraw() override;
    void EndScreenDraw() override;

    // ---- application identity and sizes ----------------------------------

    std::string productName;
    std::string productVersion;
    std::string title;
    int width = 1024;
    int height = 768;
    bool windowed = true;
    bool fullScreenRequested = false;
    bool onlyOneInstance = true;
    // Folder of the single-instance lock; empty for the desktop's default.
    std::string instanceLockFolder;
    // Start in the screen mode the settings remember. An application whose
    // game chooses the mode itself at start turns this off.
    bool screenModeFromSettings = true;

    // ---- loop fields (read by tests and derived applications) -------------

    int updatePeriodMs = 10;
    double speedMultiplier = 1.0;
    bool updatesPaused = false;
    bool vsyncPacingSwitchedOn = false;
    int refreshRate = 100;
    bool displayTooFast = false;
    // Whether presenting waits for the display's retrace (set with the display).
    bool presentWaitsForRetrace = true;
    bool demoPlayback = false;
    bool startLoadingThreadAutomatically = true;

    bool IsDisplaySyncInEffect() const;
    const LoopStatistics& GetStatistics() const { return statistics; }
    int GetChangedUpdateCount() const { return changedUpdateCount; }
    double GetPendingTime() const { return pendingTime; }
    bool IsLoadingCompleted() const { return loadingCompleted; }
    bool IsRunning() const { return running; }
    const CommandLineOptions& GetCommandLineOptions() const { return commandLine; }

protected:
    // ---- widget tree (replaced once the widget manager is wired) ----------

    // Hands one window message to the widget tree; positions are window
    // pixels and are mapped here.
    virtual void DispatchToWidgets(const WindowMessage& message);
    // Updates every widget; returns true when something became dirty.
    virtual bool UpdateWidgets();
    // The fractional update pass with updates per displayed frame.
    virtual void UpdateWidgetsFraction(float updatesPerFrame);
    // Draws the dirty widgets into the screen image; true when anything was drawn.
    virtual bool DrawWidgets();
    // Marks every widget dirty (after the display was made again).
    virtual void MarkAllWidgetsDirty();
    // Sends the display-made-again notification to every widget.
    virtual void NotifyDisplayMade();

    // ---- platform hooks (tests replace them to run without a window) ------

    // Moves waiting window events into the message queue; a close request
    // goes to CloseRequest at once.
    virtual void PumpWindowMessages();
    // Shows the finished frame; false when the display refused.
    virtual bool PresentFrame();
    // Runs on the loading thread; nothing to load in the framework itself.
    virtual void LoadingThreadProc() {}
    // The application's own initialisation, last step of Init.
    virtual void InitHook() {}

    // What the loading thread does when it is done (tests call it directly).
    void MarkLoadingFinished();
    void QueueMessage(const WindowMessage& message) { messageQueue.push_back(message); }
    void ProcessDeferredDeletions();
    // Makes the display (again) and gives the widgets and mapping the result.
    bool MakeDisplay(bool fullScreen);

    // Declared so that they go in this order: music, shared images, display,
    // packages (the package layer outlives everything that reads through it).
    std::unique_ptr<PakInterface> pakInterface;
    std::unique_ptr<DDInterface> display;
    std::unique_ptr<SharedImageTable> sharedImages;
    std::unique_ptr<MusicInterface> musicInterface;
    // Goes before the display whose screen it draws on.
    std::unique_ptr<WidgetManager> widgetManager;
    std::unique_ptr<Clock> clock;
    AppSettings settings;
    SettingsStore settingsStore;
    std::string registryKey;
    bool minimized = false;
    bool hasFocus = true;

private:
    enum class StepState
    {
        PumpMessages = 0,
        Decide = 1,
        AfterUpdate = 2,
        AfterDrawOrSleep = 3,
    };

    bool Pace(bool sleepAllowed);
    void MeasurePendingTime();
    void RunSelfCheck();
    void DispatchMessage(const WindowMessage& message);
    bool ApplyCommandLine();
    bool EnterStartFolder();
    void StartThreads();
    void StopThreads();
    void CursorThreadProc();
    void RunScreenSaverWatch();
    void ReportDisplayFailure(DisplayResult result);
    void ApplyMusicVolume();
    void ApplyMouseMapping();
    void Confirm3DAcceleration();

    CommandLineOptions commandLine;
    std::vector<std::string> arguments;
    SingleInstance instanceLock;
    PixelRect pictureRect;
    std::map<std::string, std::string> stringTable;
    WindowMessageQueue messageQueue;
    std::vector<PlatformEvent> platformEvents;
    std::vector<std::function<void()>> deferredDeletions;
    std::vector<std::function<void()>> deletionsInProgress;
    bool settingsPathChosen = false;
    bool is3DAtStart = false;
    bool is3DChanged = false;
    bool had3DProblem = false;
    int cursorKind = 0;
    int muteCount = 0;
    int automaticMuteCount = 0;
    bool allowScreenSaver = false;
    bool mouseInWindow = true;
    int heldButtons = 0;

    // Loop state.
    bool shuttingDown = false;
    bool exitLoop = false;
    bool running = false;
    std::atomic<bool> shutdownRequested{false};
    std::atomic<bool> closeRequested{false};
    int selfCheckCounter = 0;
    int selfCheckStreak = 0;
    std::int64_t selfCheckTime = 0;
    double pendingTime = 0.0;
    double fractionalUpdates = 0.0;
    StepState stepState = StepState::PumpMessages;
    int updatesSinceDraw = 0;
    bool drawPending = true;
    bool lastRedrawSkipped = false;
    bool fullRedrawRequested = false;
    int relaxTimeMs = 0;
    std::int64_t lastMeasureTime = 0;
    std::int64_t lastPresentTime = 0;
    std::int64_t nextPresentAllowed = 0;
    std::int64_t lastScreenSaverWatch = 0;
    std::int64_t creationTime = 0;
    std::int64_t runStartTime = 0;
    LoopStatistics statistics;
    int changedUpdateCount = 0;
    bool loadingStarted = false;
    std::atomic<bool> loadingFinished{false};
    bool loadingCompleted = false;
    bool yieldToLoading = false;
    std::thread loadingThread;
    std::thread cursorThread;
    std::mutex cursorMutex;
    std::condition_variable cursorWake;
    bool cursorThreadStop = false;
};

} // namespace Lumo
