#pragma once
// Runs tarvelin-cli as a child process and collects its exit status and output.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace tarvelin::cli::testing {

struct CliRun {
  int status = -1;  // exit status, or -1 when it did not exit normally in time
  std::string out;
  std::string err;
};

inline std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Starts the program with `args`; `whileRunning` is called every 20 ms with the child's
// pid until it returns false or the child ends. Gives up (and kills) after `limit`.
inline CliRun RunCli(const std::vector<std::string>& args, const std::filesystem::path& scratch,
                     std::function<bool(pid_t)> whileRunning = {},
                     std::chrono::seconds limit = std::chrono::seconds(60)) {
  std::vector<std::string> all = {TARVELIN_CLI_PATH};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : all) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const std::string outPath = (scratch / "cli.out").string();
  const std::string errPath = (scratch / "cli.err").string();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = 0;
  CliRun run;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
    posix_spawn_file_actions_destroy(&actions);
    return run;
  }
  posix_spawn_file_actions_destroy(&actions);
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int wstatus = 0;
  bool watching = static_cast<bool>(whileRunning);
  while (true) {
    pid_t done = waitpid(pid, &wstatus, WNOHANG);
    if (done == pid) break;
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &wstatus, 0);
      wstatus = -1;
      break;
    }
    if (watching) watching = whileRunning(pid);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (wstatus != -1 && WIFEXITED(wstatus)) run.status = WEXITSTATUS(wstatus);
  run.out = ReadWhole(outPath);
  run.err = ReadWhole(errPath);
  return run;
}

}  // namespace tarvelin::cli::testing
