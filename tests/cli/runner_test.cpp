#include <signal.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sstream>

#include "support/home_fixture.h"
#include "support/quiet_buttons.h"
#include "support/runner_process.h"

namespace zarvel {
namespace {

using testing::HomeFixture;
using testing::RunnerResult;
using testing::RunRunner;

class RunnerTest : public ::testing::Test {
 protected:
  RunnerResult Run(std::string_view document, std::vector<std::string> extra = {}) {
    std::vector<std::string> arguments = {"--home", fixture_.home, "--ticks", "5", "--fast"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    arguments.push_back(fixture_.Document(std::string(document) + testing::kQuietButtons.data()));
    return RunRunner(arguments);
  }

  HomeFixture fixture_;
};

TEST_F(RunnerTest, RunsTheAskedTicksAndExitsNormally) {
  const RunnerResult result = Run("[config]\n[snes]\n");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");
}

TEST_F(RunnerTest, ReportsABadThingOnStandardErrorWithStatusThree) {
  const RunnerResult result = Run("[config]\nKeySimMethod = newer\n");
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.err, "Bad Thing: \"newer\" is not a valid option for KeySimMethod.\n");

  const RunnerResult missing = RunRunner({"--home", fixture_.home, "--fast", "/gone/doc.ini"});
  EXPECT_EQ(missing.status, 3);
  // The document is named by the path given, with the system's reason.
  EXPECT_EQ(missing.err,
            "Bad Thing: Could not locate initiate file \"/gone/doc.ini\": No such file or "
            "directory\n");
}

TEST_F(RunnerTest, TracesTheConfigurationInUnicode) {
  const RunnerResult result = Run("[config]\n[snes]\n", {"--trace"});
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.err.find("┌ Opening ini files...\n│   Finding path to Zarvel\n"),
            std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("∙ Reading config data...Done\n"), std::string::npos);
  EXPECT_NE(result.err.find("└ Done\n"), std::string::npos);
}

TEST_F(RunnerTest, UsageErrorsExitWithStatusTwo) {
  const RunnerResult none = RunRunner({"--fast"});
  EXPECT_EQ(none.status, 2);
  EXPECT_NE(none.err.find("usage: zarvel-run"), std::string::npos);
  EXPECT_EQ(RunRunner({"--bogus", "x.ini"}).status, 2);
  const RunnerResult help = RunRunner({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--ticks N"), std::string::npos);
}

TEST_F(RunnerTest, SeedsAMissingHomeDirectoryOnce) {
  const std::string home = fixture_.dir.Slash() + "new/home";
  const std::string document =
      fixture_.Document(std::string("[config]\n[snes]\n") + testing::kQuietButtons.data());
  const RunnerResult first =
      RunRunner({"--ticks", "1", "--fast", document}, {"ZARVEL_HOME=" + home});
  EXPECT_EQ(first.status, 0) << first.err;
  EXPECT_NE(first.err.find("created the home directory " + home + "/"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(home + "/circuits.ini"));
  EXPECT_TRUE(std::filesystem::exists(home + "/keys.cfg"));

  const RunnerResult second =
      RunRunner({"--ticks", "1", "--fast", document}, {"ZARVEL_HOME=" + home});
  EXPECT_EQ(second.status, 0);
  EXPECT_EQ(second.err, "");
}

TEST_F(RunnerTest, TakesARelativeHomeFromTheDirectoryItWasStartedIn) {
  // The runner changes into the document's directory, which is not the one the home is
  // named from.
  fixture_.Document(std::string("[config]\n[snes]\n") + testing::kQuietButtons.data(),
                    "docs/doc.ini");
  const RunnerResult result =
      RunRunner({"--home", "home", "--ticks", "1", "--fast", "docs/doc.ini"}, {},
                fixture_.dir.Path().string());
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
}

// Neither a directory nor a FIFO holds settings; opening a FIFO would wait for a writer.
TEST_F(RunnerTest, AFileThatIsNotARegularFileIsAMissingOne) {
  namespace fs = std::filesystem;
  const std::string global = fixture_.home + "zarvel.ini";
  fs::remove(global);
  fs::create_directory(global);
  const RunnerResult directory = Run("[config]\n[snes]\n");
  EXPECT_EQ(directory.status, 3);
  EXPECT_EQ(directory.err,
            "Bad Thing: Could not locate initiate file \"" + global + "\": Is a directory\n");

  fs::remove(global);
  fixture_.Global(testing::kValidConfig);
  const std::string document = fixture_.dir.Slash() + "fifo.ini";
  ASSERT_EQ(mkfifo(document.c_str(), 0600), 0);
  const RunnerResult fifo = RunRunner({"--home", fixture_.home, "--fast", document});
  EXPECT_EQ(fifo.status, 3);
  EXPECT_EQ(fifo.err,
            "Bad Thing: Could not locate initiate file \"" + document + "\": Invalid argument\n");
}

TEST_F(RunnerTest, ASignalEndsTheRunnerWaitingForItsScriptFromAFifo) {
  const std::string script = fixture_.dir.Slash() + "script";
  ASSERT_EQ(mkfifo(script.c_str(), 0600), 0);
  const std::string document =
      fixture_.Document(std::string("[config]\n[snes]\n") + testing::kQuietButtons.data());
  const RunnerResult result = testing::RunRunnerAndSignal(
      {"--home", fixture_.home, "--script", script, document}, SIGTERM, 300);
  EXPECT_EQ(result.status, 128 + SIGTERM);
}

// A stream without end is refused at the script's size limit, and a signal ends the runner
// while it reads.
TEST_F(RunnerTest, AScriptWithoutEndIsRefusedAndASignalEndsItsRead) {
  const std::string document =
      fixture_.Document(std::string("[config]\n[snes]\n") + testing::kQuietButtons.data());
  const std::vector<std::string> arguments = {"--home", fixture_.home, "--script", "/dev/zero",
                                              document};
  const RunnerResult endless = RunRunner(arguments);
  EXPECT_EQ(endless.status, 2);
  EXPECT_EQ(endless.err, "zarvel-run: /dev/zero: the pad script is larger than 64 MiB\n");
  EXPECT_EQ(testing::RunRunnerAndSignal(arguments, SIGTERM, 0).status, 128 + SIGTERM);
}

// A signal that comes as the runner starts, here as soon as it has either blocked its signals or
// begun to read a long autostart.conf, is a stop or a reload like any later one.
TEST_F(RunnerTest, ASignalAsTheRunnerStartsIsTakenLikeAnyOther) {
  std::string comments;
  for (int i = 0; i < 10'000'000; ++i) {
    comments += "#\n";
  }
  fixture_.dir.Write("home/autostart.conf", comments);
  fixture_.dir.Write("home/doc.ini",
                     std::string("[config]\n[snes]\n") + testing::kQuietButtons.data());
  for (const int signal : {SIGHUP, SIGTERM}) {
    const RunnerResult result = testing::RunRunnerAndSignalOnceStarted(
        {"--home", fixture_.home, "--ticks", "20", "--fast", "--autostart", "doc"}, signal,
        fixture_.home + "autostart.conf");
    EXPECT_EQ(result.status, 0) << signal << result.err;
  }
}

// A stop asked for while a long document is still being read ends the runner at once; nothing
// has been typed yet.
TEST_F(RunnerTest, ASignalDuringALongConfigurationEndsTheRunnerAtOnce) {
  std::string filler = "[filler]\n";
  for (int i = 0; i < 3'000'000; ++i) {
    filler += "x = 1\n";
  }
  const std::string document =
      fixture_.Document(std::string("[config]\n[snes]\n") + testing::kQuietButtons.data() + filler);
  const auto start = std::chrono::steady_clock::now();
  const RunnerResult result =
      testing::RunRunnerAndSignal({"--home", fixture_.home, document}, SIGTERM, 300);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
}

TEST_F(RunnerTest, SignalStopsTheExecutionAndExitsNormally) {
  const std::string document = fixture_.Document(std::string("[config]\nTickFreq = 100\n[snes]\n") +
                                                 testing::kQuietButtons.data());
  for (const int signal : {SIGINT, SIGTERM}) {
    const RunnerResult result =
        testing::RunRunnerAndSignal({"--home", fixture_.home, document}, signal, 300);
    EXPECT_EQ(result.status, 0) << signal << result.err;
  }
}

// SIGHUP stops the execution as Stop does (its key released), reads the edited configuration
// and starts it; a configuration with an error is reported, and the runner waits for the next
// SIGHUP; SIGTERM still ends it.
TEST_F(RunnerTest, HangupRestartsTheEditedConfigurationAndOutlivesAnError) {
  fixture_.dir.Write("home/keys.cfg", "1e 9e a\n30 b0 b\n0 0 none\n");
  const auto document = [&](std::string_view config, std::string_view key) {
    return fixture_.Document(std::string(config) + "[snes]\na = " + std::string(key) + "\n" +
                             testing::kQuietButtons.data());
  };
  const std::string path = document("[config]\n", "a");
  const std::string script = fixture_.dir.Write("pads.script", "2 1 a\n");
  testing::RunningRunner runner({"--home", fixture_.home, "--script", script, path});
  ASSERT_TRUE(runner.WaitFor("1E a pressed"));

  document("[config]\n", "b");
  runner.Signal(SIGHUP);
  ASSERT_TRUE(runner.WaitFor("30 b pressed"));

  document("[config]\nKeySimMethod = newer\n", "b");
  runner.Signal(SIGHUP);
  ASSERT_TRUE(runner.WaitFor("Bad Thing: \"newer\" is not a valid option for KeySimMethod.\n"));
  EXPECT_TRUE(runner.StillRunning());

  document("[config]\n", "a");
  runner.Signal(SIGHUP);
  ASSERT_TRUE(runner.WaitFor("1E a pressed", 2));
  runner.Signal(SIGTERM);
  const RunnerResult result = runner.Finish();
  EXPECT_EQ(result.status, 0) << result.err;
  // Each execution types from its own first tick, and lets go of its key when it is stopped.
  std::istringstream printed(result.out);
  std::string tick;
  std::string key;
  std::string keys;
  while (printed >> tick && std::getline(printed, key)) {
    keys += key.substr(1) + "\n";
  }
  EXPECT_EQ(keys,
            "1E a pressed\n9E a released\n30 b pressed\nB0 b released\n1E a pressed\n"
            "9E a released\n");
}

// A reader that goes away after one line (`| head -1`) stops the execution as Stop does, with
// status 0, instead of killing the runner with a key down; a full disk is an error, status 1.
TEST_F(RunnerTest, StandardOutputThatGoesAwayOrIsFullStopsTheExecution) {
  fixture_.dir.Write("home/keys.cfg", "1e 9e a\n30 b0 b\n0 0 none\n");
  const std::string document =
      fixture_.Document(std::string("[config]\nTickFreq = 1000\n[snes]\na = a\nb = b\n") +
                        testing::kQuietButtons.data());
  std::string script;
  for (int tick = 1; tick < 4000; tick += 2) {
    script += std::to_string(tick) + (tick % 4 == 1 ? " 1 a\n" : " 1 b\n");
  }
  const std::string scriptPath = fixture_.dir.Write("pads.script", script);
  const std::vector<std::string> arguments = {"--home", fixture_.home, "--script", scriptPath,
                                              document};

  const RunnerResult headed = testing::RunRunnerReadingOneLine(arguments);
  EXPECT_EQ(headed.out, "1 1E a pressed\n");
  EXPECT_EQ(headed.status, 0) << headed.err;
  EXPECT_EQ(headed.err, "");

  const RunnerResult full = testing::RunRunnerInto(arguments, "/dev/full");
  EXPECT_EQ(full.status, 1);
  EXPECT_EQ(full.err, "zarvel-run: could not write standard output: No space left on device\n");
}

// After a reload the checks that end the process (here a pin missing from the circuit file)
// are reported and the runner waits for the next reload, as it does after a Bad Thing.
TEST_F(RunnerTest, AfterAHangupAStopThatEndsTheProcessWaitsForTheNextReload) {
  fixture_.dir.Write("home/keys.cfg", "1e 9e a\n0 0 none\n");
  const std::string document =
      fixture_.Document(std::string("[config]\n[snes]\na = a\n") + testing::kQuietButtons.data());
  const std::string script = fixture_.dir.Write("pads.script", "2 1 a\n");
  testing::RunningRunner runner({"--home", fixture_.home, "--script", script, document});
  ASSERT_TRUE(runner.WaitFor("1E a pressed"));

  fixture_.dir.Write("home/circuits.ini", "[snes]\nclock = 3\nreset = 4\npower = 5\n");
  runner.Signal(SIGHUP);
  ASSERT_TRUE(runner.WaitFor("Could not find pin definition \"data\" for snes controller."));
  EXPECT_TRUE(runner.StillRunning());

  fixture_.dir.Write("home/circuits.ini", "[snes]\nclock = 3\nreset = 4\npower = 5\ndata = 10\n");
  runner.Signal(SIGHUP);
  ASSERT_TRUE(runner.WaitFor("1E a pressed", 2));
  runner.Signal(SIGTERM);
  EXPECT_EQ(runner.Finish().status, 0);
}

}  // namespace
}  // namespace zarvel
