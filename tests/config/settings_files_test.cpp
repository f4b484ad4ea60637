#include "config/settings_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "base/bad_thing.h"
#include "base/trace.h"
#include "support/home_fixture.h"

namespace zarvel {
namespace {

using testing::HomeFixture;

class OpenSettingsFilesTest : public ::testing::Test {
 protected:
  // Opens the files as an execution does and returns the error text, if any.
  std::string Open(const std::string& document, const std::string& home) {
    ResetSettingsFiles(files_);
    files_.localName = document;
    try {
      OpenSettingsFiles(files_, trace_, home);
    } catch (const BadThing& error) {
      return error.what();
    }
    return "";
  }

  HomeFixture fixture_;
  SettingsFiles files_;
  TraceState trace_;
};

TEST_F(OpenSettingsFilesTest, OpensTheDocumentAndBothHomeFiles) {
  const std::string document = fixture_.Document("[config]\n");
  EXPECT_EQ(Open(document, fixture_.home), "");
  EXPECT_EQ(files_.localName, document);
  EXPECT_EQ(files_.globalName, fixture_.home + "zarvel.ini");
  EXPECT_EQ(files_.circuitName, fixture_.home + "circuits.ini");
  EXPECT_TRUE(files_.localFile && files_.globalFile && files_.circuitFile);

  CloseSettingsFiles(files_, trace_);
  EXPECT_FALSE(files_.localFile || files_.globalFile);
  EXPECT_TRUE(files_.circuitFile);
  CloseSettingsFiles(files_, trace_);  // A second close only traces.
}

TEST_F(OpenSettingsFilesTest, FallsBackToTheZarvelFolderOfTheCurrentDirectory) {
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(fixture_.dir.Path());
  fixture_.dir.Write("zarvel/doc.ini", "[config]\n");
  const std::string opened = Open("doc.ini", fixture_.home);
  const std::string missing = Open("/nowhere/doc.ini", fixture_.home);
  std::filesystem::current_path(before);

  EXPECT_EQ(opened, "");
  EXPECT_EQ(missing,
            "Could not locate initiate file \"/nowhere/doc.ini\": No such file or directory\n");
}

TEST_F(OpenSettingsFilesTest, RequiresTheGlobalAndTheCircuitFile) {
  const std::string document = fixture_.Document("[config]\n");
  std::filesystem::remove(fixture_.home + "circuits.ini");
  EXPECT_EQ(Open(document, fixture_.home), "Could not locate initiate file \"" + fixture_.home +
                                               "circuits.ini\": No such file or directory\n");
  std::filesystem::remove(fixture_.home + "zarvel.ini");
  EXPECT_EQ(Open(document, fixture_.home), "Could not locate initiate file \"" + fixture_.home +
                                               "zarvel.ini\": No such file or directory\n");
}

TEST_F(OpenSettingsFilesTest, KeepsTheLetterCaseOfTheHomeDirectoryAndLongNames) {
  // A home directory with capitals and a path far longer than 100 characters.
  const std::string deep = "Home/" + std::string(60, 'D') + "/" + std::string(60, 'E') + "/";
  fixture_.dir.Write(deep + "zarvel.ini", testing::kValidConfig);
  fixture_.dir.Write(deep + "circuits.ini", "[snes]\n");
  const std::string home = fixture_.dir.Slash() + deep;
  const std::string document = fixture_.Document("[config]\n", std::string(110, 'n') + ".ini");
  EXPECT_EQ(Open(document, "  " + home), "");
  EXPECT_EQ(files_.homeDir, home);
  EXPECT_EQ(files_.localName, document);
}

TEST(OpenRegularFile, OpensOnlyARegularFileAndNeverWaits) {
  testing::TempDir dir;
  const std::string fifo = dir.Slash() + "fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  // An open that waited for the FIFO's writer would hold the test for ever; the alarm ends it.
  alarm(10);
  EXPECT_FALSE(OpenRegularFile(fifo));
  alarm(0);
  EXPECT_FALSE(OpenRegularFile(dir.Path().string()));
  EXPECT_FALSE(OpenRegularFile("/dev/null"));

  const SettingsFile file = OpenRegularFile(dir.Write("a.ini", "[config]\n"));
  ASSERT_TRUE(file);
  char line[16] = {};
  EXPECT_STREQ(std::fgets(line, sizeof line, file.get()), "[config]\n");
}

TEST(DirectoryPart, KeepsEverythingUpToTheLastSeparator) {
  EXPECT_EQ(DirectoryPart("/home/user/zarvel/"), "/home/user/zarvel/");
  EXPECT_EQ(DirectoryPart("/home/user/zarvel/x.ini"), "/home/user/zarvel/");
  EXPECT_EQ(DirectoryPart("nothing"), "");
}

}  // namespace
}  // namespace zarvel
