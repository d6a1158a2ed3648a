#include "support/run_game.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "support/temp_dir.h"

GameRun RunGameProcess(const std::vector<std::string>& args,
                       const std::vector<std::string>& prefix,
                       const std::vector<std::string>& env) {
  GameRun run;
  TempDir io;
  const std::string outPath = io / "out", errPath = io / "err";
  std::vector<std::string> all = prefix;
  all.push_back(FLEECEWICK_EXE);
  all.insert(all.end(), args.begin(), args.end());
  pid_t pid = ::fork();
  if (pid == 0) {
    int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int in = ::open("/dev/null", O_RDONLY);
    ::dup2(out, 1);
    ::dup2(err, 2);
    ::dup2(in, 0);
    for (const std::string& setting : env) {
      size_t eq = setting.find('=');
      ::setenv(setting.substr(0, eq).c_str(), setting.substr(eq + 1).c_str(), 1);
    }
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
  else if (WIFSIGNALED(status)) run.status = 128 + WTERMSIG(status);
  run.out = ReadFileBytes(outPath);
  run.err = ReadFileBytes(errPath);
  return run;
}
