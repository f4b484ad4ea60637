#include "platform/home_directory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/temp_dir.h"

namespace zarvel {
namespace {

// Sets or clears the environment variables the search reads, for one test.
void Environment(const char* zarvelHome, const char* xdgConfigHome, const char* home) {
  auto set = [](const char* name, const char* value) {
    value != nullptr ? setenv(name, value, 1) : unsetenv(name);
  };
  set("ZARVEL_HOME", zarvelHome);
  set("XDG_CONFIG_HOME", xdgConfigHome);
  set("HOME", home);
}

TEST(FindHomeDirectory, TakesTheFirstPlaceGivenAndEndsWithASeparator) {
  Environment("/z", "/xdg", "/home/u");
  EXPECT_EQ(FindHomeDirectory("/opt/pads"), "/opt/pads/");
  EXPECT_EQ(FindHomeDirectory(""), "/z/");
  Environment(nullptr, "/xdg/", "/home/u");
  EXPECT_EQ(FindHomeDirectory(""), "/xdg/zarvel/");
  Environment(nullptr, nullptr, "/home/u");
  EXPECT_EQ(FindHomeDirectory(""), "/home/u/.config/zarvel/");
  Environment(nullptr, nullptr, nullptr);
  EXPECT_EQ(FindHomeDirectory(""), "");
}

TEST(FindHomeDirectory, TakesARelativePlaceFromTheCurrentDirectory) {
  const std::string here = std::filesystem::current_path().string() + "/";
  Environment("pads", "xdg", "/home/u");
  EXPECT_EQ(FindHomeDirectory("mine"), here + "mine/");
  EXPECT_EQ(FindHomeDirectory(""), here + "pads/");
  Environment(nullptr, "xdg", "/home/u");
  EXPECT_EQ(FindHomeDirectory(""), here + "xdg/zarvel/");
}

TEST(SeedHomeDirectory, WritesTheShippedFilesByteForByteOnlyIntoANewDirectory) {
  testing::TempDir dir;
  const std::string home = dir.Slash() + "a/b/";
  const SeedResult first = SeedHomeDirectory(home);
  EXPECT_TRUE(first.created);
  EXPECT_FALSE(first.error);
  for (const char* name : {"zarvel.ini", "circuits.ini", "keys.cfg"}) {
    std::ifstream seeded(home + name, std::ios::binary);
    std::ifstream shipped(std::string(ZARVEL_SOURCE_DIR) + "/data/home/" + name, std::ios::binary);
    std::stringstream a, b;
    a << seeded.rdbuf();
    b << shipped.rdbuf();
    EXPECT_EQ(a.str(), b.str()) << name;
  }

  dir.Write("a/b/zarvel.ini", "mine");
  EXPECT_FALSE(SeedHomeDirectory(home).created);
  std::ifstream kept(home + "zarvel.ini");
  std::string text;
  std::getline(kept, text);
  EXPECT_EQ(text, "mine");
}

}  // namespace
}  // namespace zarvel
