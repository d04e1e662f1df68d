// The program's command line options.
// SPDX-License-Identifier: MIT
//
// Options are matched without regard to case; an option that takes a value
// takes the next argument. Anything else, and a value-taking option at the
// end of the line, is refused: the caller shows "Invalid command line
// parameter: " with the offending argument and ends the program. The demo,
// crash-test and screensaver options are accepted and only recorded.
#pragma once

#include <string>
#include <vector>

namespace Lumo
{

enum class DemoMode
{
    None,
    Record,
    Play,
};

struct CommandLineOptions
{
    DemoMode demoMode = DemoMode::None;
    int demoFileCount = 0;  // "-recnum": at most this many demo files
    int demoFileNumber = 0; // "-playnum": the demo file to play, from 1
    std::string demoFile;   // "-demofile", made absolute
    bool crashRequested = false;
    bool screensaverMode = false;
    std::string changeDirectory; // "-changedir"; empty keeps the program's folder
};

struct CommandLineResult
{
    bool valid = true;
    std::string invalidArgument; // the first argument that was refused
    CommandLineOptions options;
};

// arguments excludes the program name. currentDirectory makes a relative demo
// file name absolute.
CommandLineResult ParseCommandLine(const std::vector<std::string>& arguments,
                                   const std::string& currentDirectory);

} // namespace Lumo
