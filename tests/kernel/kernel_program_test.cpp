// The program itself: refused options, a second instance and SIGTERM.
// SPDX-License-Identifier: MIT
#include "framework/platform/single_instance.h"
#include "kernel_test_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{

namespace fs = std::filesystem;

struct Child
{
    pid_t pid = -1;
    int errorOutput = -1; // read end of the child's standard error
};

class ProgramTest : public KernelTests::TempFolderTest
{
protected:
    void SetUp() override
    {
        const char* binaryDir = std::getenv("ZADI_BINARY_DIR");
        program = fs::path(binaryDir != nullptr ? binaryDir : "") / "game" / "saltmere-zadi";
        if (!fs::exists(program))
        {
            GTEST_SKIP() << "the game program is not built: " << program;
        }
        TempFolderTest::SetUp();
    }

    Child Start(const std::vector<std::string>& arguments)
    {
        std::vector<std::string> environment = {
            "SDL_VIDEODRIVER=dummy",
            "SDL_AUDIODRIVER=dummy",
            "XDG_DATA_HOME=" + (folder / "data").string(),
            "XDG_RUNTIME_DIR=" + folder.string(),
            "HOME=" + folder.string(),
        };
        std::vector<char*> envp;
        for (std::string& entry : environment)
        {
            envp.push_back(entry.data());
        }
        envp.push_back(nullptr);
        std::vector<std::string> all = {program.string()};
        all.insert(all.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& argument : all)
        {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);

        int pipeEnds[2];
        EXPECT_EQ(pipe(pipeEnds), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        Child child;
        EXPECT_EQ(posix_spawn(&child.pid, argv[0], &actions, nullptr, argv.data(), envp.data()), 0);
        posix_spawn_file_actions_destroy(&actions);
        close(pipeEnds[1]);
        child.errorOutput = pipeEnds[0];
        return child;
    }

    // Reads the child's standard error until it contains text (or ends).
    static std::string ReadUntil(const Child& child, const std::string& text)
    {
        std::string output;
        char buffer[256];
        ssize_t got = 0;
        while (output.find(text) == std::string::npos &&
               (got = read(child.errorOutput, buffer, sizeof buffer)) > 0)
        {
            output.append(buffer, static_cast<std::size_t>(got));
        }
        return output;
    }

    static int Finish(Child& child, std::string& output)
    {
        output += ReadUntil(child, std::string(1, '\0')); // to the end
        close(child.errorOutput);
        int status = 0;
        EXPECT_EQ(waitpid(child.pid, &status, 0), child.pid);
        EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path program;
};

TEST_F(ProgramTest, UnknownOptionIsNamedAndTheProgramEndsWithCodeZero)
{
    for (const char* option : {"-bogus", "--help", "stray"})
    {
        Child child = Start({"-play", option});
        std::string output;
        EXPECT_EQ(Finish(child, output), 0);
        EXPECT_NE(output.find(std::string("Invalid command line parameter: ") + option + "\n"),
                  std::string::npos)
            << output;
        EXPECT_EQ(ReadSettingsFile(), "");
    }
}

TEST_F(ProgramTest, SecondInstanceEndsWithCodeZeroAndKnocksOnTheFirst)
{
    Lumo::SingleInstance first;
    ASSERT_TRUE(first.Acquire("Saltmere Zadi", folder.string()));
    Child child = Start({});
    std::string output;
    EXPECT_EQ(Finish(child, output), 0);
    EXPECT_NE(output.find("already running"), std::string::npos) << output;
    EXPECT_TRUE(first.TakeNotify());
    EXPECT_EQ(ReadSettingsFile(), "");
}

TEST_F(ProgramTest, TerminationSignalShutsDownInOrderAndWritesTheSettings)
{
    Child child = Start({"-changedir", folder.string()});
    std::string output = ReadUntil(child, "Resource Loading Time");
    ASSERT_NE(output.find("Resource Loading Time"), std::string::npos) << output;
    ASSERT_EQ(kill(child.pid, SIGTERM), 0);
    EXPECT_EQ(Finish(child, output), 0);
    EXPECT_NE(output.find("Update Count  = "), std::string::npos) << output;
    const std::string settings = ReadSettingsFile();
    EXPECT_NE(settings.find("i\tInProgress\t0\n"), std::string::npos) << settings;
}

} // namespace
