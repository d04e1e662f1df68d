// Small services of the desktop: message boxes, clipboard, web addresses,
// the screen saver, the per-user settings folder and thread priorities.
// SPDX-License-Identifier: MIT
//
// Message boxes block the calling thread until answered. When the program
// runs headless (SDL's dummy or offscreen video driver) no box is shown and
// the calls report that. Everything else is best effort and never fails the
// caller.
#pragma once

#include <string>

namespace Lumo
{

// Shows an information box. Returns false when no box could be shown.
bool ShowMessageBox(const std::string& title, const std::string& text);

// Asks a Yes/No question. Returns true for Yes; noAnswer when no box could be
// shown.
bool ShowQuestionBox(const std::string& title, const std::string& text, bool noAnswer);

// True when the process runs without a visible display (tests, CI).
bool IsHeadless();

// Clipboard text; empty when there is none.
std::string GetClipboardText();
bool SetClipboardText(const std::string& text);

// Opens a web address in the user's browser. Returns false when it could not.
bool OpenAddress(const std::string& address);

// Lets the desktop's screen saver and power saving start, or keeps them off.
void AllowScreenSaver(bool allow);

// The per-user folder for the settings of maker/game, created when missing,
// ending in a slash; empty when none can be had.
std::string GetPreferencesFolder(const std::string& maker, const std::string& game);

// The folder of the running program, without a final slash; empty when unknown.
std::string GetProgramFolder();

enum class ThreadPriority
{
    Normal,
    AboveNormal,
};

// Changes the calling thread's priority where the system lets us.
void SetCurrentThreadPriority(ThreadPriority priority);

} // namespace Lumo
