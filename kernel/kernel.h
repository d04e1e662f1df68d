// Start-up and shut-down of the process-wide singletons, and the main loop.
// SPDX-License-Identifier: MIT
//
// KernelInit builds everything in a fixed order, runs the main loop to its
// end and returns; KernelShutdown tears it down in the opposite order. Both
// run on the main thread. The caller owns the game object, which must outlive
// both calls.
#pragma once

namespace KernelLibrary
{

class IGame;
class MainApp;

// What the operating system hands the program at start: its arguments.
struct InstanceHandle
{
    int argc = 0;
    char** argv = nullptr;
};

// Runs the game. Returns false only when the kernel's singletons could not be
// made (nothing was shown then, and KernelShutdown need not be called).
bool KernelInit(const InstanceHandle* instance, IGame* game);

// Destroys the singletons; does nothing when no application exists.
void KernelShutdown(const InstanceHandle* instance);

// The application while the kernel exists, else null.
MainApp* GetMainApp();

} // namespace KernelLibrary
