#include "app/zarvel_doc.h"

#include <sys/mount.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include <wx/stc/stc.h>

#include "app/editor_fixture.h"
#include "app/latin1_text.h"
#include "app/main_frame.h"

namespace zarvel::testing {
namespace {

// Every byte but zero, then line ends of every kind, and no line end at the very end.
std::string EveryByte() {
  std::string bytes;
  for (int value = 1; value <= 0xFF; ++value) {
    bytes.push_back(static_cast<char>(value));
  }
  return bytes + "\r\n[config]\r\nTickFreq = 100\rKeySimMethod = newest\n\xE9t\xE9";
}

TEST(Latin1Text, EachByteIsOneCharacterAndBack) {
  std::string bytes;
  for (int value = 0; value <= 0xFF; ++value) {
    bytes.push_back(static_cast<char>(value));
  }
  const wxString text = TextFromBytes(bytes);
  ASSERT_EQ(text.length(), 256u);
  EXPECT_EQ(static_cast<unsigned>(text[0xE9].GetValue()), 0xE9u);
  EXPECT_EQ(BytesFromText(text), bytes);
}

TEST(Latin1Text, ACharacterBeyondOneByteHasNoBytes) {
  EXPECT_FALSE(BytesFromText(wxString::FromUTF8("price \xE2\x82\xAC")));
  EXPECT_EQ(BytesFromText(wxString::FromUTF8("caf\xC3\xA9")), "caf\xE9");
}

using DocumentText = EditorTest;

TEST_F(DocumentText, LoadAndSaveKeepEveryByte) {
  const std::string bytes = EveryByte();
  const std::string path = Write("bytes.ini", bytes);
  ASSERT_TRUE(StartEditor(path));
  EXPECT_EQ(Text().GetValue(), TextFromBytes(bytes));

  const std::string copy = (dir_.Path() / "copy.ini").string();
  ASSERT_TRUE(Document().OnSaveDocument(wxString::FromUTF8(copy)));
  EXPECT_EQ(Read(copy), bytes);
}

TEST_F(DocumentText, TypedTextIsSavedAsTyped) {
  const std::string path = Write("typed.ini", "[config]\n");
  ASSERT_TRUE(StartEditor(path));
  EXPECT_FALSE(Document().IsModified());
  Text().DocumentEnd();
  Text().WriteText(wxString::FromUTF8("TickFreq = 100\r\nName = Caf\xC3\xA9"));
  EXPECT_TRUE(Document().IsModified());
  ASSERT_TRUE(Command(wxID_SAVE));
  EXPECT_FALSE(Document().IsModified());
  EXPECT_EQ(Read(path), "[config]\nTickFreq = 100\r\nName = Caf\xE9");
}

TEST_F(DocumentText, TextThatDoesNotFitInBytesIsNotSaved) {
  const std::string path = Write("wide.ini", "[config]\n");
  ASSERT_TRUE(StartEditor(path));
  Text().AppendText(wxString::FromUTF8("Price = 5 \xE2\x82\xAC\n"));
  EXPECT_FALSE(Document().OnSaveDocument(wxString::FromUTF8(path)));
  EXPECT_EQ(Read(path), "[config]\n");
  EXPECT_TRUE(Document().IsModified());
  ASSERT_EQ(log_.messages.size(), 1u);
  EXPECT_TRUE(log_.messages[0].Contains("one byte"));
}

// A small file system of its own for one test, taken down when the test ends.
class SmallFileSystem {
 public:
  explicit SmallFileSystem(const std::filesystem::path& where) : where_(where) {
    std::filesystem::create_directory(where_);
    mounted_ = mount("tmpfs", where_.c_str(), "tmpfs", 0, "size=256k") == 0;
  }
  ~SmallFileSystem() {
    if (mounted_) {
      umount2(where_.c_str(), MNT_DETACH);
    }
  }
  bool Mounted() const { return mounted_; }

  // Writes a file until the file system has no room left.
  void Fill() {
    std::ofstream filler(where_ / "filler", std::ios::binary);
    const std::string block(512, 'x');
    while (filler.write(block.data(), block.size())) {
    }
  }

 private:
  std::filesystem::path where_;
  bool mounted_ = false;
};

TEST_F(DocumentText, ASaveOnAFullDiskLeavesTheOldFileWholeAndASaveKeepsPermissions) {
  const std::filesystem::path small = dir_.Path() / "small";
  SmallFileSystem fileSystem(small);
  if (!fileSystem.Mounted()) {
    GTEST_SKIP() << "mounting a tmpfs needs root";
  }
  const std::string path = (small / "pads.ini").string();
  std::ofstream(path) << kGoodDocument;
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(StartEditor(path));
  fileSystem.Fill();

  Text().AppendText(wxString(std::string(100000, ';')));
  Command(wxID_SAVE);
  EXPECT_EQ(Read(path), kGoodDocument);
  EXPECT_TRUE(Document().IsModified());
  ASSERT_EQ(log_.messages.size(), 1u);
  EXPECT_TRUE(log_.messages[0].Contains("No space left on device")) << log_.messages[0];

  std::filesystem::remove(small / "filler");
  Command(wxID_SAVE);
  EXPECT_TRUE(Read(path) == kGoodDocument + std::string(100000, ';'));
  EXPECT_EQ(log_.messages.size(), 1u);
  EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0640));
  // Nothing but the document is left beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(small),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(DocumentText, AFileWithAZeroByteIsRefusedRatherThanCut) {
  const std::string path = Write("zero.ini", std::string("[config]\0TickFreq = 100\n", 24));
  ASSERT_TRUE(StartEditor());
  EXPECT_FALSE(Open(path));
  EXPECT_EQ(Document().GetUserReadableName(), "Untitled");
  ASSERT_EQ(log_.messages.size(), 1u);
  EXPECT_TRUE(log_.messages[0].Contains("zero byte"));
}

TEST_F(DocumentText, APipeOrADirectoryIsRefusedWithoutWaiting) {
  const std::string pipe = (dir_.Path() / "pipe.ini").string();
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  std::filesystem::create_directory(dir_.Path() / "folder.ini");
  ASSERT_TRUE(StartEditor());
  // Nobody writes to the pipe: an open that waited for a writer would never return.
  EXPECT_FALSE(Open(pipe));
  EXPECT_FALSE(Open((dir_.Path() / "folder.ini").string()));
  EXPECT_EQ(Document().GetUserReadableName(), "Untitled");
  EXPECT_EQ(log_.messages.size(), 2u);
}

// A refused file leaves the edited document as it was: nobody is asked to save it, and its
// text and its changes stay, whether the file was named through Open or by a recent-file entry.
TEST_F(DocumentText, ARefusedOpenLeavesTheCurrentDocumentAsItWas) {
  const std::string path = Write("edited.ini", kGoodDocument);
  const std::string zero = Write("zero.ini", std::string("[config]\0\n", 10));
  const std::string pipe = (dir_.Path() / "pipe.ini").string();
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  ASSERT_TRUE(StartEditor(path));
  Text().AppendText("RepeatRate = 5\n");
  const wxString edited = Text().GetValue();

  const std::string refused[] = {zero, pipe, (dir_.Path() / "gone.ini").string()};
  for (const std::string& file : refused) {
    prompts_->filePaths.push_back(wxString::FromUTF8(file));
    Command(wxID_OPEN);
    EXPECT_FALSE(Open(file)) << file;
  }
  EXPECT_TRUE(prompts_->shown.empty());
  EXPECT_EQ(log_.messages.size(), 2 * std::size(refused));
  EXPECT_EQ(Document().GetFilename(), path);
  EXPECT_EQ(Text().GetValue(), edited);
  EXPECT_TRUE(Document().IsModified());
  EXPECT_EQ(Frame().GetTitle(), "*edited.ini - Zarvel");
}

TEST_F(DocumentText, NewAsksAboutChangesThenEmptiesTheText) {
  const std::string path = Write("edited.ini", kGoodDocument);
  ASSERT_TRUE(StartEditor(path));
  Text().AppendText("RepeatRate = 5\n");

  // Cancel keeps the document as it is.
  prompts_->answers.push_back(wxCANCEL);
  Command(wxID_NEW);
  ASSERT_EQ(prompts_->shown.size(), 1u);
  EXPECT_EQ(prompts_->shown[0].text, "Do you want to save changes to edited.ini?");
  EXPECT_EQ(prompts_->shown[0].style & (wxYES_NO | wxCANCEL), wxYES_NO | wxCANCEL);
  EXPECT_EQ(Document().GetFilename(), path);
  EXPECT_TRUE(Text().GetValue().EndsWith("RepeatRate = 5\n"));

  // No drops the changes: the file stays as it was and the new document is empty.
  prompts_->answers.push_back(wxNO);
  Command(wxID_NEW);
  EXPECT_EQ(Frame().GetTitle(), "Untitled - Zarvel");
  EXPECT_TRUE(Text().GetValue().empty());
  EXPECT_FALSE(Document().IsModified());
  EXPECT_EQ(Read(path), kGoodDocument);
}

}  // namespace
}  // namespace zarvel::testing
