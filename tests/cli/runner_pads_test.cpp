#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace zarvel {
namespace {

struct RunResult {
  int status = -1;
  std::string err;
};

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

// zarvel-run on a document of the test's own, with a home directory that starts with the
// shipped defaults.
struct RunnerPadsTest : ::testing::Test {
  RunResult Run(std::string_view document, const std::vector<std::string>& options = {}) {
    const std::string path = dir.Write("document.ini", document);
    std::string command =
        Quoted(ZARVEL_RUNNER_PATH) + " --home " + Quoted(Home()) + " --fast --ticks 3 --trace";
    for (const std::string& option : options) {
      command += " " + Quoted(option);
    }
    const std::string errPath = (dir.Path() / "stderr.txt").string();
    command += " " + Quoted(path) + " >/dev/null 2>" + Quoted(errPath);
    RunResult result;
    const int raw = std::system(command.c_str());
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream in(errPath);
    std::ostringstream text;
    text << in.rdbuf();
    result.err = text.str();
    return result;
  }

  std::string Home() const { return dir.Slash() + "home/"; }
  std::string Script(std::string_view text) { return dir.Write("pads.txt", text); }

  int Count(const std::string& text, const std::string& part) const {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
      ++count;
    }
    return count;
  }

  testing::TempDir dir;
};

constexpr char kNoPads[] = "Bad Thing: Could not find any control pad info in ini file.\n";

TEST_F(RunnerPadsTest, AnOnlyNesTwoSectionFindsOneNesPad) {
  const RunResult result = Run("[nes 2]\n");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(Count(result.err, "Found"), 1);
  EXPECT_EQ(Count(result.err, "Found nes pad 2..."), 1);
}

TEST_F(RunnerPadsTest, NinePadSectionsMakeNinePadsAndATenthEndsTheExecution) {
  const std::string nine =
      "[snes 1]\n[snes 2]\n[snes 3]\n[snes 4]\n[snes 5]\n[nes 1]\n[nes 2]\n[nes 3]\n[nes 4]\n";
  RunResult result = Run(nine);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(Count(result.err, "Found"), 9);

  result = Run(nine + "[nes 5]\n");
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(Count(result.err, "Bad Thing: Maximum number of controllers exceded.\n"), 1)
      << result.err;
}

TEST_F(RunnerPadsTest, NoPadSectionEndsTheExecution) {
  const RunResult result = Run("[config]\nTickFreq = 100\n");
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(Count(result.err, kNoPads), 1) << result.err;
}

TEST_F(RunnerPadsTest, AnUnpluggedSnesPadEndsTheExecution) {
  const RunResult result = Run("[snes 2]\n[nes 1]\n", {"--script", Script("0 1 unplugged\n")});
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(Count(result.err, "Bad Thing: The SNES controller does not seem to be connected.\n"), 1)
      << result.err;
}

TEST_F(RunnerPadsTest, AnUnpluggedNesPadEndsTheProcess) {
  const RunResult result = Run("[snes 2]\n[nes 1]\n", {"--script", Script("0 2 unplugged\n")});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(Count(result.err, "Bad Thing: The NES controller does not seem to be connected.\n"), 1)
      << result.err;
  EXPECT_EQ(Count(result.err, "Bad Thing"), 1);
}

TEST_F(RunnerPadsTest, APadUnpluggedAfterItsInitialisationIsNotNoticed) {
  const RunResult result =
      Run("[nes]\n", {"--script", Script("# pulled out later\n1 1 unplugged\n")});
  EXPECT_EQ(result.status, 0) << result.err;
}

TEST_F(RunnerPadsTest, AMissingPinItemEndsTheProcess) {
  Run("[snes]\n");  // Creates the home directory with the shipped files.
  dir.Write("home/circuits.ini", "[snes]\nclock = 3\nreset = 4\npower = 5\n");
  const RunResult result = Run("[snes]\n");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(
      Count(result.err, "Bad Thing: Could not find pin definition \"data\" for snes controller.\n"),
      1)
      << result.err;
}

TEST_F(RunnerPadsTest, AnInvalidPinItemEndsTheExecution) {
  Run("[snes]\n");
  dir.Write("home/circuits.ini", "[snes]\nclock = 3\nreset = 4\npower = ,\ndata = 10\n");
  const RunResult result = Run("[snes]\n");
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(
      Count(result.err, "Bad Thing: \",\" is not a valid pin definition for snes controller.\n"), 1)
      << result.err;
}

TEST_F(RunnerPadsTest, AMalformedScriptIsAUsageErrorNamingFileAndLine) {
  const std::string script = Script("0 1 a\n0 1 jump\n");
  const RunResult result = Run("[snes]\n", {"--script", script});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(Count(result.err, script + ":2: \"jump\" is not a button"), 1) << result.err;
  EXPECT_EQ(Count(result.err, "Found"), 0);  // Nothing was executed.
}

}  // namespace
}  // namespace zarvel
