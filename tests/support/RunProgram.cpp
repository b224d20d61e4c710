#include "tests/support/RunProgram.h"

#include "tests/support/FileText.h"

#include "tests/support/TempDir.h"

#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace qortest
{
ProgramResult runProgram(const std::vector<std::string>& argv,
                         const std::vector<std::pair<std::string, std::string>>& environment)
{
    TempDir dir("qor-run");
    const std::string outPath = (dir.path() / "out").string(), errPath = (dir.path() / "err").string();

    std::vector<std::string> args = argv;
    std::vector<char*> cargs;
    for (auto& a : args)
        cargs.push_back(a.data());
    cargs.push_back(nullptr);

    std::vector<std::string> env;
    for (const auto& [name, value] : environment)
        env.push_back(name + "=" + value);
    for (char** e = environ; *e != nullptr; ++e)
    {
        const std::string entry = *e;
        bool replaced = false;
        for (const auto& kv : environment)
            replaced = replaced || entry.rfind(kv.first + "=", 0) == 0;
        if (!replaced)
            env.push_back(entry);
    }
    std::vector<char*> cenv;
    for (auto& e : env)
        cenv.push_back(e.data());
    cenv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ProgramResult result;
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, cargs[0], &actions, nullptr, cargs.data(), cenv.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return result;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
    {
    }
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    result.out = readText(outPath);
    result.err = readText(errPath);
    return result;
}

} // namespace qortest
