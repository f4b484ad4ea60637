#include "platform/home_directory.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/fake_system_calls.h"
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

TEST(SeedHomeDirectory, AHomeThatLacksFilesGetsOnlyTheMissingOnes) {
  testing::TempDir dir;
  const std::string home = dir.Slash() + "home/";
  dir.Write("home/zarvel.ini", "mine");
  const SeedResult seeded = SeedHomeDirectory(home);
  EXPECT_FALSE(seeded.created);
  EXPECT_EQ(seeded.error, std::nullopt);
  EXPECT_EQ(seeded.added, (std::vector<std::string>{"circuits.ini", "keys.cfg"}));
  EXPECT_EQ(HomeFilesAddedNotice(home, seeded.added),
            "added the default circuits.ini and keys.cfg to the home directory " + home +
                ", which lacked them");
  std::ifstream kept(home + "zarvel.ini");
  std::string text;
  std::getline(kept, text);
  EXPECT_EQ(text, "mine");
  EXPECT_TRUE(std::filesystem::exists(home + "keys.cfg"));
  EXPECT_TRUE(SeedHomeDirectory(home).added.empty());
}

// The names left in a folder and all below it.
std::vector<std::string> Tree(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    names.push_back(std::filesystem::relative(entry.path(), folder).string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A failing call leaves nothing made behind and names the file and the reason; a home that
// lacked a file is left as it was.
TEST(SeedHomeDirectory, AFailedWriteRemovesWhatItMadeAndSaysWhichFileAndWhy) {
  struct Case {
    const char* failing;
    int error;
    bool homeExists;
    const char* expected;
  };
  const Case cases[] = {
      {"write zarvel.ini", ENOSPC, false,
       "could not write HOMEzarvel.ini: No space left on device"},
      {"fsync circuits.ini", EIO, false, "could not write HOMEcircuits.ini: Input/output error"},
      {"rename keys.cfg", EIO, false, "could not write HOMEkeys.cfg: Input/output error"},
      {"openat keys.cfg", EACCES, true, "could not write HOMEkeys.cfg: Permission denied"},
      {"fsync keys.cfg", ENOSPC, true, "could not write HOMEkeys.cfg: No space left on device"},
  };
  for (const Case& test : cases) {
    testing::TempDir dir;
    const std::string home = dir.Slash() + "a/b/";
    if (test.homeExists) {
      dir.Write("a/b/zarvel.ini", "mine");
      dir.Write("a/b/circuits.ini", "mine");
    }
    const std::vector<std::string> before = Tree(dir.Path());
    testing::FakeSystemCalls calls;
    calls.fileErrors[test.failing] = test.error;
    const SeedResult seeded = SeedHomeDirectory(calls, home);
    std::string expected = test.expected;
    expected.replace(expected.find("HOME"), 4, home);
    EXPECT_EQ(seeded.error, expected) << test.failing;
    EXPECT_FALSE(seeded.created);
    EXPECT_EQ(Tree(dir.Path()), before) << test.failing;
    calls.fileErrors.clear();
    EXPECT_EQ(SeedHomeDirectory(calls, home).error, std::nullopt);
    EXPECT_EQ(Tree(dir.Path()).size(), 5u) << test.failing;
  }
}

class SudoHomeTest : public ::testing::Test {
 protected:
  SudoHomeTest() {
    calls_.effectiveUser = 0;
    calls_.environment = {{"SUDO_UID", "1000"}, {"SUDO_GID", "1001"}};
    home_ = dir_.Slash() + "made/config/zarvel/";
  }

  std::vector<std::string> Logged(const std::string& call) const {
    std::vector<std::string> lines;
    for (const std::string& line : calls_.log) {
      if (line.rfind(call + " ", 0) == 0) {
        lines.push_back(line);
      }
    }
    return lines;
  }

  testing::TempDir dir_;
  testing::FakeSystemCalls calls_;
  std::string home_;
};

TEST_F(SudoHomeTest, EverythingMadeIsGivenThroughItsDescriptorAndNoCallFollowsALink) {
  const SeedResult seeded = SeedHomeDirectory(calls_, home_);
  ASSERT_EQ(seeded.error, std::nullopt);
  EXPECT_TRUE(seeded.created);
  for (const std::string& line : calls_.log) {
    EXPECT_EQ(line.find("following links"), std::string::npos) << line;
  }
  // The two folders above the home, its three files and the home itself, all while still
  // under their temporary names; then the home is renamed into place.
  const std::vector<std::string> given = Logged("fchown");
  ASSERT_EQ(given.size(), 6u);
  const std::string made = dir_.Slash() + "made";
  EXPECT_EQ(given[0], "fchown " + made + " 1000:1001");
  EXPECT_EQ(given[1], "fchown " + made + "/config 1000:1001");
  const std::string aside = made + "/config/.zarvel.new-" + std::to_string(getpid()) + "-0";
  EXPECT_EQ(given[5], "fchown " + aside + " 1000:1001");
  EXPECT_EQ(calls_.log.back(), "rename " + aside + " zarvel");
  EXPECT_EQ(Tree(dir_.Path() / "made"),
            (std::vector<std::string>{"config", "config/zarvel", "config/zarvel/circuits.ini",
                                      "config/zarvel/keys.cfg", "config/zarvel/zarvel.ini"}));

  // Made in a folder of root (as /tmp is), the home is the user's all the same, as the README
  // promises: the folder made above it, its three files and the home itself.
  calls_.log.clear();
  calls_.filesOwner = 0;
  ASSERT_EQ(SeedHomeDirectory(calls_, dir_.Slash() + "root/zarvel/").error, std::nullopt);
  EXPECT_EQ(Logged("fchown").size(), 5u);
}

// Another user's folder on the way, or a folder swapped for a symbolic link while it is made,
// stops the making before anything is given away.
TEST_F(SudoHomeTest, AFolderOfAnotherUserOrASwappedSymbolicLinkIsRefused) {
  const std::string victim = dir_.Slash() + "victim";
  std::filesystem::create_directory(victim);
  struct Case {
    const char* swappedAfter;  // The made folder swapped for a link to the victim, or none.
    uid_t owner;               // Who the folders that exist belong to.
    const char* expected;      // The start of the error.
  };
  const Case cases[] = {
      {nullptr, 4242, "belongs to user 4242"},
      {"made", 1000, "was replaced by something that is not a folder"},
      {"made/config", 1000, "was replaced by something that is not a folder"},
      {"made/config/.zarvel.new-", 1000, "could not open"},
  };
  for (const Case& test : cases) {
    calls_.log.clear();
    calls_.filesOwner = test.owner;
    calls_.afterFileCall = [&](const std::string& line) {
      const std::string swapped = test.swappedAfter == nullptr ? "" : test.swappedAfter;
      const std::string prefix = "mkdirat " + dir_.Slash() + swapped;
      if (!swapped.empty() && line.rfind(prefix, 0) == 0 &&
          line.find('/', prefix.size()) == std::string::npos) {
        const std::string path = line.substr(std::string("mkdirat ").size());
        std::filesystem::remove(path);
        std::filesystem::create_directory_symlink(victim, path);
      }
    };
    const SeedResult seeded = SeedHomeDirectory(calls_, home_);
    ASSERT_TRUE(seeded.error) << test.expected;
    EXPECT_NE(seeded.error->find(test.expected), std::string::npos) << *seeded.error;
    EXPECT_FALSE(seeded.created);
    for (const std::string& line : Logged("fchown")) {
      EXPECT_EQ(line.find(test.swappedAfter == nullptr ? "/" : test.swappedAfter),
                std::string::npos)
          << line;
    }
    EXPECT_TRUE(std::filesystem::is_empty(victim)) << test.expected;
    EXPECT_TRUE(Logged("openat").size() > 0);
    std::filesystem::remove_all(dir_.Path() / "made");
  }
}

}  // namespace
}  // namespace zarvel
