// Runs the zadi-tool binary for the pak and image command tests and captures what it prints.
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace ToolRunner
{

struct ToolResult
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs zadi-tool with args; standard output and error go to files in scratch.
inline ToolResult RunTool(const std::vector<std::string>& args, const std::string& scratch)
{
    const std::string outPath = scratch + "/tool.out";
    const std::string errPath = scratch + "/tool.err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    std::vector<std::string> all = {ZADI_TOOL_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all)
    {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    ToolResult result;
    pid_t pid = 0;
    if (posix_spawn(&pid, ZADI_TOOL_PATH, &actions, nullptr, argv.data(), environ) == 0)
    {
        int status = 0;
        waitpid(pid, &status, 0);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    result.out = Slurp(outPath);
    result.err = Slurp(errPath);
    return result;
}

// One line that names the tool: what every failure prints.
inline bool IsOneLineError(const std::string& err)
{
    return err.rfind("zadi-tool: ", 0) == 0 && err.find('\n') == err.size() - 1;
}

} // namespace ToolRunner
