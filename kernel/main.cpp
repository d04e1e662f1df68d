// The program's entry point: make the game, run the kernel, destroy the game.
// SPDX-License-Identifier: MIT
#include "framework/platform/termination_signals.h"
#include "game/placeholder_game.h"
#include "kernel/kernel.h"

#include <memory>

int main(int argc, char** argv)
{
    Lumo::InstallTerminationHandlers();
    auto game = std::make_unique<Gamespace::PlaceholderGame>();
    const KernelLibrary::InstanceHandle instance{argc, argv};
    if (KernelLibrary::KernelInit(&instance, game.get()))
    {
        KernelLibrary::KernelShutdown(&instance);
    }
    game.reset();
    return 0;
}
