// The command groups of zadi-tool, the command-line companion of the game.
// SPDX-License-Identifier: MIT
//
// Each group gets the arguments after its own name ("pak list X" gives the
// pak group {"list", "X"}). A group prints its results to standard output and
// a one-line error to standard error, and returns the process exit code:
// 0 on success, 1 on bad data, 2 on bad arguments.
#pragma once

#include <string>
#include <vector>

namespace ZadiTool
{

using Args = std::vector<std::string>;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

int RunPakCommand(const Args& args);
int RunImageCommand(const Args& args);
int RunFontCommand(const Args& args);
int RunSaveCommand(const Args& args);

// Prints "zadi-tool: " and the message to standard error; returns the code.
int Fail(int exitCode, const std::string& message);

} // namespace ZadiTool
