// Types a fixed run of keys through one execution on the hardware chosen on the command line,
// inside the test guest. The key bytes are pushed into the key queue as the pads' button
// processing pushes them, and leave it through the configured method, one byte a tick.
//
// usage: zarvel-guest-keys --keyboard BACKEND --home DIR --go FILE CONFIG.ini
//
// It waits, ticking, until FILE exists (the guest starts its event reader first), then types:
// a down and up, the up arrow down and up, then the left shift down, which it never releases:
// the execution stops with the shift held, as a Stop with a button held would.

#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "cli/runner_host.h"
#include "engine/execution_thread.h"
#include "inject/key_queue.h"
#include "platform/hardware_factory.h"

namespace {

// Ticks after the go file appears, and the byte pushed at each.
const std::multimap<int32_t, uint8_t> kKeys = {
    {1, 0x1E}, {2, 0x9E}, {3, 0xE0}, {3, 0x48}, {5, 0xE0}, {5, 0xC8}, {7, 0x2A},
};
// Ticks after the go file appears at which the execution is stopped: every byte has left.
constexpr int32_t kStopAfter = 20;

class GuestHost : public zarvel::RunnerHost {
 public:
  GuestHost(zarvel::RunBlock& runBlock, zarvel::ProcessState& state, std::string goFile,
            std::unique_ptr<zarvel::ExecutionHardware> hardware)
      : RunnerHost(runBlock, std::cout, std::cerr, 0, false, false, std::move(hardware)),
        runBlock_(runBlock),
        state_(state),
        goFile_(std::move(goFile)) {}

  void TickStarts(int32_t tick) override {
    RunnerHost::TickStarts(tick);
    if (goTick_ == 0) {
      if (!std::filesystem::exists(goFile_)) {
        return;
      }
      goTick_ = tick;
    }
    const int32_t since = tick - goTick_;
    const auto [first, last] = kKeys.equal_range(since);
    for (auto key = first; key != last; ++key) {
      zarvel::PushKey(state_.keyQueue, key->second);
    }
    if (since >= kStopAfter) {
      runBlock_.running = 0;
    }
  }

 private:
  zarvel::RunBlock& runBlock_;
  zarvel::ProcessState& state_;
  std::string goFile_;
  int32_t goTick_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  zarvel::HardwareChoice choice;
  std::string home;
  std::string goFile;
  std::string config;
  for (size_t i = 0; i + 1 < arguments.size(); i += 2) {
    if (arguments[i] == "--keyboard") {
      if (auto error = zarvel::ReadKeyboardChoice(arguments[i + 1], choice)) {
        std::cerr << *error << "\n";
        return 2;
      }
    } else if (arguments[i] == "--home") {
      home = arguments[i + 1];
    } else if (arguments[i] == "--go") {
      goFile = arguments[i + 1];
    }
  }
  if (arguments.size() % 2 == 0 || home.empty() || goFile.empty()) {
    std::cerr << "usage: zarvel-guest-keys --keyboard BACKEND --home DIR --go FILE CONFIG.ini\n";
    return 2;
  }
  config = std::filesystem::absolute(arguments.back()).string();

  zarvel::LinuxSystemCalls calls;
  zarvel::LibevdevCalls evdev;
  zarvel::HardwareFactory factory(choice, calls, evdev,
                                  [](const std::string& text) { std::cerr << text << "\n"; });
  zarvel::RunBlock runBlock;
  runBlock.path = config;
  runBlock.homeDir = home + "/";
  zarvel::HardwareFactory::Opened opened = factory.Open(runBlock.path, runBlock.homeDir);
  if (!opened.hardware) {
    std::cerr << opened.error << "\n";
    return 1;
  }
  zarvel::ProcessState state;
  {
    GuestHost host(runBlock, state, goFile, std::move(opened.hardware));
    runBlock.running = 1;
    runBlock.finished = 0;
    zarvel::ExecutionThread(runBlock, state, host);
    if (host.Ending() != zarvel::RunnerEnding::kNormal) {
      return 3;
    }
  }
  return 0;
}
