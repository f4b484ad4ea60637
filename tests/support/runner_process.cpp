#include "support/runner_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "support/temp_dir.h"

namespace zarvel::testing {
namespace {

// Every run is given this long. A runner still running then is killed, so that one that
// hangs fails its test instead of holding the whole test run.
constexpr auto kRunLimit = std::chrono::seconds(30);
constexpr auto kWaitPollPeriod = std::chrono::milliseconds(5);
// How long a running runner is given to print what a test waits for.
constexpr auto kOutputLimit = std::chrono::seconds(10);

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Standard output goes to `outPath`, or to the descriptor `outDescriptor` when one is given.
pid_t Start(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
            const std::string& outPath, const std::string& errPath,
            const std::string& workingDirectory = {}, int outDescriptor = -1) {
  std::vector<std::string> args = {ZARVEL_RUNNER_PATH};
  args.insert(args.end(), arguments.begin(), arguments.end());
  // The pipe closes when the child has become the runner, so that a signal sent once this
  // returns reaches the runner and not the forked test.
  int started[2];
  if (pipe2(started, O_CLOEXEC) != 0) {
    return -1;
  }
  const pid_t pid = fork();
  if (pid == 0) {
    const int out = outDescriptor >= 0 ? outDescriptor
                                       : open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    if (!workingDirectory.empty() && chdir(workingDirectory.c_str()) != 0) {
      _exit(127);
    }
    unsetenv("ZARVEL_HOME");
    for (const std::string& entry : environment) {
      putenv(const_cast<char*>(entry.c_str()));
    }
    std::vector<char*> argv;
    for (std::string& arg : args) {
      argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(started[1]);
  char ignored = 0;
  while (read(started[0], &ignored, 1) < 0 && errno == EINTR) {
  }
  close(started[0]);
  return pid;
}

int WaitForEnd(pid_t pid) {
  int status = 0;
  const auto deadline = std::chrono::steady_clock::now() + kRunLimit;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() >= deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      break;
    }
    std::this_thread::sleep_for(kWaitPollPeriod);
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

RunnerResult Finish(pid_t pid, const std::string& outPath, const std::string& errPath) {
  RunnerResult result;
  result.status = WaitForEnd(pid);
  result.out = Slurp(outPath);
  result.err = Slurp(errPath);
  return result;
}

}  // namespace

RunnerResult RunRunner(const std::vector<std::string>& arguments,
                       const std::vector<std::string>& environment,
                       const std::string& workingDirectory) {
  TempDir dir;
  const std::string out = (dir.Path() / "out").string();
  const std::string err = (dir.Path() / "err").string();
  return Finish(Start(arguments, environment, out, err, workingDirectory), out, err);
}

RunnerResult RunRunnerAndSignal(const std::vector<std::string>& arguments, int signal,
                                int delayMs) {
  TempDir dir;
  const std::string out = (dir.Path() / "out").string();
  const std::string err = (dir.Path() / "err").string();
  const pid_t pid = Start(arguments, {}, out, err);
  std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
  kill(pid, signal);
  return Finish(pid, out, err);
}

RunnerResult RunRunnerAndSignalOnceStarted(const std::vector<std::string>& arguments, int signal,
                                           const std::string& file) {
  TempDir dir;
  const std::string out = (dir.Path() / "out").string();
  const std::string err = (dir.Path() / "err").string();
  const pid_t pid = Start(arguments, {}, out, err);
  const std::string proc = "/proc/" + std::to_string(pid);
  const auto deadline = std::chrono::steady_clock::now() + kOutputLimit;
  const auto started = [&] {
    // SigBlk is the blocked signals' mask in hexadecimal; SIGHUP is its lowest bit.
    const std::string status = Slurp(proc + "/status");
    const size_t mask = status.find("SigBlk:");
    if (mask != std::string::npos && (std::stoull(status.substr(mask + 7), nullptr, 16) & 1) != 0) {
      return true;
    }
    std::error_code error;
    for (const auto& fd : std::filesystem::directory_iterator(proc + "/fd", error)) {
      if (std::filesystem::read_symlink(fd.path(), error) == file) {
        return true;
      }
    }
    return false;
  };
  while (!started() && std::chrono::steady_clock::now() < deadline) {
  }
  kill(pid, signal);
  return Finish(pid, out, err);
}

RunnerResult RunRunnerInto(const std::vector<std::string>& arguments, const std::string& device) {
  TempDir dir;
  const std::string err = (dir.Path() / "err").string();
  const int out = open(device.c_str(), O_WRONLY);
  const pid_t pid = Start(arguments, {}, {}, err, {}, out);
  close(out);
  RunnerResult result;
  result.status = WaitForEnd(pid);
  result.err = Slurp(err);
  return result;
}

RunnerResult RunRunnerReadingOneLine(const std::vector<std::string>& arguments) {
  TempDir dir;
  const std::string err = (dir.Path() / "err").string();
  int pipeEnds[2];
  // Only the runner's standard output keeps the writing end; the reading end is the test's alone.
  if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
    return {};
  }
  const pid_t pid = Start(arguments, {}, {}, err, {}, pipeEnds[1]);
  close(pipeEnds[1]);
  RunnerResult result;
  char c = 0;
  while (read(pipeEnds[0], &c, 1) == 1) {
    result.out += c;
    if (c == '\n') {
      break;
    }
  }
  close(pipeEnds[0]);
  result.status = WaitForEnd(pid);
  result.err = Slurp(err);
  return result;
}

RunningRunner::RunningRunner(const std::vector<std::string>& arguments)
    : outPath_((dir_.Path() / "out").string()), errPath_((dir_.Path() / "err").string()) {
  pid_ = Start(arguments, {}, outPath_, errPath_);
}

RunningRunner::~RunningRunner() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}

bool RunningRunner::WaitFor(std::string_view text, int count) const {
  const auto deadline = std::chrono::steady_clock::now() + kOutputLimit;
  while (std::chrono::steady_clock::now() < deadline) {
    const std::string printed = Slurp(outPath_) + Slurp(errPath_);
    int found = 0;
    for (size_t at = printed.find(text); at != std::string::npos;
         at = printed.find(text, at + text.size())) {
      ++found;
    }
    if (found >= count) {
      return true;
    }
    std::this_thread::sleep_for(kWaitPollPeriod);
  }
  return false;
}

bool RunningRunner::StillRunning() const {
  // WNOWAIT leaves an ended runner to Finish, which reads its status.
  siginfo_t info{};
  return pid_ > 0 && waitid(P_PID, pid_, &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
         info.si_pid == 0;
}

void RunningRunner::Signal(int signal) const {
  kill(pid_, signal);
}

RunnerResult RunningRunner::Finish() {
  RunnerResult result = zarvel::testing::Finish(pid_, outPath_, errPath_);
  pid_ = -1;
  return result;
}

}  // namespace zarvel::testing
