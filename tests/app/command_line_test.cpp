#include "app/command_line.h"

#include <gtest/gtest.h>

namespace zarvel::testing {
namespace {

std::optional<CommandLineAnswer> Answer(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) {
    argv.push_back(argument.data());
  }
  argv.push_back(nullptr);
  return AnswerWithoutWindow(static_cast<int>(arguments.size()), argv.data());
}

TEST(CommandLine, HelpAndWrongOptionsAreAnsweredBeforeAnyWindow) {
  const std::optional<CommandLineAnswer> help = Answer({"zarvel", "--help"});
  ASSERT_TRUE(help);
  EXPECT_EQ(help->status, 0);
  EXPECT_NE(help->out.find("--parport"), std::string::npos);
  EXPECT_EQ(help->err, "");

  for (const char* wrong : {"--bogus", "--keyboard=bogus"}) {
    const std::optional<CommandLineAnswer> answer = Answer({"zarvel", wrong});
    ASSERT_TRUE(answer) << wrong;
    EXPECT_EQ(answer->status, 2) << wrong;
    EXPECT_EQ(answer->out, "") << wrong;
    EXPECT_NE(answer->err.find("--keyboard"), std::string::npos) << wrong;
  }

  EXPECT_FALSE(Answer({"zarvel", "--parport=ppdev:/dev/parport1", "pads.ini"}));
}

}  // namespace
}  // namespace zarvel::testing
