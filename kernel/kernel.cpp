// Start-up and shut-down of the process-wide singletons, and the main loop.
// SPDX-License-Identifier: MIT
#include "kernel/kernel.h"

#include "kernel/main_app.h"
#include "time/time_system_impl.h"

#include <string>
#include <vector>

namespace KernelLibrary
{

namespace
{

const InstanceHandle* rememberedInstance = nullptr;
MainApp* application = nullptr;
TimeLibrary::TimeSystem_impl* timeSystem = nullptr;

} // namespace

MainApp* GetMainApp()
{
    return application;
}

bool KernelInit(const InstanceHandle* instance, IGame* game)
{
    if (rememberedInstance != nullptr)
    {
        KernelShutdown(rememberedInstance);
    }
    rememberedInstance = instance;

    // 1. The time system is created first, before the application.
    timeSystem = TimeLibrary::CreateTimeSystem();

    application = new MainApp(game);
    std::vector<std::string> arguments;
    if (instance != nullptr)
    {
        for (int i = 1; i < instance->argc; ++i)
        {
            arguments.emplace_back(instance->argv[i]);
        }
    }
    application->SetCommandLine(std::move(arguments));
    application->Init();

    // 2. The visual-object factory is created here, bound to the application;
    //    when it cannot be made KernelInit returns false without running the loop.
    // 3. The effect system follows, given the time system.
    // 4. Last, the time system's clock thread starts.
    if (timeSystem != nullptr)
    {
        (void)timeSystem->StartClock();
    }

    application->Run();
    return true;
}

void KernelShutdown(const InstanceHandle* instance)
{
    (void)instance;
    if (application == nullptr)
    {
        return;
    }
    // 1. The time system's clock thread is stopped first and waited for.
    //    This runs outside the game lock: the clock may be waiting for it.
    if (timeSystem != nullptr)
    {
        timeSystem->StopClock();
    }
    // 2. Effects still registered are destroyed, then time objects still
    //    registered; then the effect system, the factory and the time system.
    if (timeSystem != nullptr)
    {
        timeSystem->ReleaseAll();
    }
    TimeLibrary::DestroyTimeSystem();
    timeSystem = nullptr;

    delete application;
    application = nullptr;
    rememberedInstance = nullptr;
}

} // namespace KernelLibrary
