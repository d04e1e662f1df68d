// The program's command line options.
// SPDX-License-Identifier: MIT
#include "framework/app/command_line.h"

#include <charconv>
#include <strings.h>

namespace Lumo
{

namespace
{

bool Is(const std::string& argument, const char* option)
{
    return strcasecmp(argument.c_str(), option) == 0;
}

// A number that cannot be read counts as 0, as the counting options expect.
int ReadNumber(const std::string& text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() ? value : 0;
}

} // namespace

CommandLineResult ParseCommandLine(const std::vector<std::string>& arguments,
                                   const std::string& currentDirectory)
{
    CommandLineResult result;
    CommandLineOptions& options = result.options;
    const auto refuse = [&result](const std::string& argument) {
        result.valid = false;
        result.invalidArgument = argument;
        return result;
    };

    for (std::size_t i = 0; i < arguments.size(); ++i)
    {
        const std::string& argument = arguments[i];
        const bool takesValue = Is(argument, "-recnum") || Is(argument, "-playnum") ||
                                Is(argument, "-demofile") || Is(argument, "-changedir");
        if (takesValue && i + 1 == arguments.size())
        {
            return refuse(argument);
        }
        if (Is(argument, "-play"))
        {
            options.demoMode = DemoMode::Play;
        }
        else if (Is(argument, "-record"))
        {
            options.demoMode = DemoMode::Record;
        }
        else if (Is(argument, "-recnum"))
        {
            options.demoMode = DemoMode::Record;
            options.demoFileCount = ReadNumber(arguments[++i]);
            if (options.demoFileCount <= 0)
            {
                options.demoFileCount = 5;
            }
        }
        else if (Is(argument, "-playnum"))
        {
            options.demoMode = DemoMode::Play;
            options.demoFileNumber = ReadNumber(arguments[++i]);
        }
        else if (Is(argument, "-demofile"))
        {
            const std::string& name = arguments[++i];
            options.demoFile = !name.empty() && name[0] == '/'
                                   ? name
                                   : currentDirectory + "/" + name;
        }
        else if (Is(argument, "-crash"))
        {
            options.crashRequested = true;
        }
        else if (Is(argument, "-screensaver"))
        {
            options.screensaverMode = true;
        }
        else if (Is(argument, "-changedir"))
        {
            options.changeDirectory = arguments[++i];
        }
        else
        {
            return refuse(argument);
        }
    }
    return result;
}

} // namespace Lumo
