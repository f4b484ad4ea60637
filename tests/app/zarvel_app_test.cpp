#include "app/zarvel_app.h"

#include <filesystem>

#include <wx/docview.h>
#include <wx/filehistory.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/stc/stc.h>

#include "app/command_ids.h"
#include "app/editor_fixture.h"
#include "app/editor_texts.h"
#include "app/file_drop_target.h"
#include "app/main_frame.h"
#include "app/zarvel_doc.h"

namespace zarvel::testing {
namespace {

using AppStartUp = EditorTest;

TEST_F(AppStartUp, WithoutArgumentsShowsAnEmptyUntitledDocumentAndInactive) {
  ASSERT_TRUE(StartEditor());
  Idle();
  EXPECT_EQ(Frame().GetTitle(), "Untitled - Zarvel");
  EXPECT_EQ(Document().GetUserReadableName(), "Untitled");
  EXPECT_TRUE(Text().GetValue().empty());
  EXPECT_EQ(Frame().GetStatusBar()->GetFieldsCount(), kPaneCount);
  EXPECT_EQ(Pane(kMessagePane), "Ready");
  EXPECT_EQ(Pane(kExecutionPane), "Inactive");
  // The indicator's pane is wide enough for its longer text.
  wxStatusBar* bar = Frame().GetStatusBar();
  wxRect pane;
  ASSERT_TRUE(bar->GetFieldRect(kExecutionPane, pane));
  EXPECT_GE(pane.GetWidth(), bar->GetTextExtent("Inactive").GetWidth());

  // Long lines wrap at the window's width: no horizontal scrolling.
  EXPECT_EQ(Text().GetWrapMode(), wxSTC_WRAP_WORD);
  EXPECT_FALSE(Text().GetUseHorizontalScrollBar());
}

TEST_F(AppStartUp, TheWindowOpensLargeEnoughAndComesBackAsItWasLeft) {
  ASSERT_TRUE(StartEditor());
  EXPECT_GE(Frame().GetSize().GetHeight(), 700);
  Frame().SetSize(100, 80, 900, 640);
  CloseEditor();
  ASSERT_TRUE(StartEditor());
  EXPECT_EQ(Frame().GetRect(), wxRect(100, 80, 900, 640));
}

TEST_F(AppStartUp, OpensTheFileNamedOnTheCommandLine) {
  const std::string path = Write("pads.ini", kGoodDocument);
  ASSERT_TRUE(StartEditor(path));
  EXPECT_EQ(Frame().GetTitle(), "pads.ini - Zarvel");
  EXPECT_EQ(Text().GetValue(), kGoodDocument);
  EXPECT_FALSE(Document().IsModified());
}

TEST_F(AppStartUp, FailsWhenTheNamedFileCannotBeOpened) {
  EXPECT_FALSE(StartEditor((dir_.Path() / "missing.ini").string()));
  Idle();
  EXPECT_EQ(wxGetApp().Frame(), nullptr);
  EXPECT_EQ(wxGetApp().Documents(), nullptr);
  ASSERT_FALSE(log_.messages.empty());
  EXPECT_TRUE(log_.messages.front().Contains("missing.ini"));
}

using DocumentFiles = EditorTest;

TEST_F(DocumentFiles, ADroppedFileIsOpened) {
  const std::string path = Write("dropped.ini", kGoodDocument);
  ASSERT_TRUE(StartEditor());
  FileDropTarget target(Frame());
  wxArrayString files;
  files.Add(wxString::FromUTF8(path));
  EXPECT_TRUE(target.OnDropFiles(0, 0, files));
  ASSERT_TRUE(PumpUntil([&] { return Document().GetFilename() == path; }));
  EXPECT_EQ(Frame().GetTitle(), "dropped.ini - Zarvel");
  EXPECT_EQ(Text().GetValue(), kGoodDocument);
}

TEST_F(DocumentFiles, AFileThatCannotBeOpenedLeavesTheDocumentBefore) {
  const std::string path = Write("first.ini", kGoodDocument);
  ASSERT_TRUE(StartEditor(path));
  EXPECT_FALSE(Open((dir_.Path() / "missing.ini").string()));
  EXPECT_EQ(Documents().GetDocuments().GetCount(), 1u);
  EXPECT_EQ(Frame().GetTitle(), "first.ini - Zarvel");
  EXPECT_EQ(log_.messages.size(), 1u);
}

// The labels of the File menu's recent-file items, in menu order, and whether the list stands
// between the Stop command's separator and the one before Exit.
struct RecentFileMenu {
  std::vector<wxString> labels;
  bool inPlace = false;
};

RecentFileMenu ReadRecentFileMenu(wxMenu& menu) {
  RecentFileMenu result;
  std::vector<int> ids;
  for (const wxMenuItem* item : menu.GetMenuItems()) {
    ids.push_back(item->GetId());
    if (item->GetId() >= wxID_FILE1 && item->GetId() <= wxID_FILE9) {
      result.labels.push_back(item->GetItemLabel());
    }
  }
  const auto stop = std::find(ids.begin(), ids.end(), kStopId);
  const size_t first = static_cast<size_t>(stop - ids.begin()) + 2;
  const size_t count = std::max<size_t>(result.labels.size(), 1);
  result.inPlace = stop != ids.end() && first + count + 2 == ids.size() &&
                   ids[first - 1] == wxID_SEPARATOR && ids[first + count] == wxID_SEPARATOR &&
                   ids.back() == wxID_EXIT;
  return result;
}

TEST_F(DocumentFiles, RecentFilesKeepTheFiveLatestBetweenStopAndExit) {
  ASSERT_TRUE(StartEditor());
  RecentFileMenu menu = ReadRecentFileMenu(*Frame().FileMenu());
  EXPECT_TRUE(menu.labels.empty());
  EXPECT_TRUE(menu.inPlace);
  wxMenuItem* placeholder = Frame().FileMenu()->FindItem(kRecentFilePlaceholderId);
  ASSERT_NE(placeholder, nullptr);
  EXPECT_EQ(placeholder->GetItemLabel(), "Recent File");
  EXPECT_FALSE(placeholder->IsEnabled());

  std::vector<std::string> paths;
  for (const char* name : {"a.ini", "b.ini", "c.ini", "d.ini", "e.ini", "f.ini", "g.ini"}) {
    paths.push_back(Write(name, kGoodDocument));
    ASSERT_TRUE(Open(paths.back()));
  }
  EXPECT_EQ(Documents().GetFileHistory()->GetCount(), 5u);
  menu = ReadRecentFileMenu(*Frame().FileMenu());
  ASSERT_EQ(menu.labels.size(), 5u);
  EXPECT_TRUE(menu.inPlace);
  EXPECT_EQ(menu.labels[0], "&1 " + paths[6]);
  EXPECT_EQ(menu.labels[4], "&5 " + paths[2]);
  EXPECT_EQ(Frame().FileMenu()->FindItem(kRecentFilePlaceholderId), nullptr);

  // The list is kept in the settings and comes back at the next start.
  CloseEditor();
  EXPECT_TRUE(std::filesystem::exists(ConfigDir() + "/Zarvel.conf"));
  ASSERT_TRUE(StartEditor());
  EXPECT_EQ(Documents().GetFileHistory()->GetCount(), 5u);
  EXPECT_EQ(Documents().GetFileHistory()->GetHistoryFile(0), paths[6]);
  menu = ReadRecentFileMenu(*Frame().FileMenu());
  EXPECT_EQ(menu.labels.size(), 5u);
  EXPECT_TRUE(menu.inPlace);

  // Choosing an entry opens that file.
  ASSERT_TRUE(Command(wxID_FILE1 + 2));
  EXPECT_EQ(Document().GetFilename(), paths[4]);
}

TEST_F(DocumentFiles, SaveAlwaysWritesAndSaveAsAddsTheExtension) {
  const std::string path = Write("kept.ini", kGoodDocument);
  ASSERT_TRUE(StartEditor(path));
  // Unchanged text is still written: the file was deleted behind the editor's back.
  std::filesystem::remove(path);
  wxUpdateUIEvent update(wxID_SAVE);
  Frame().ProcessWindowEvent(update);
  EXPECT_TRUE(update.GetEnabled());
  ASSERT_TRUE(Command(wxID_SAVE));
  EXPECT_EQ(Read(path), kGoodDocument);

  prompts_->filePaths.push_back(wxString::FromUTF8((dir_.Path() / "renamed").string()));
  ASSERT_TRUE(Command(wxID_SAVEAS));
  const std::string renamed = (dir_.Path() / "renamed.ini").string();
  EXPECT_EQ(Read(renamed), kGoodDocument);
  EXPECT_EQ(Document().GetFilename(), renamed);
  EXPECT_EQ(Frame().GetTitle(), "renamed.ini - Zarvel");
}

TEST_F(DocumentFiles, AnyFileOpensAndIsListedUnderAShortName) {
  const std::string cfg = Write("user/pads.cfg", kGoodDocument);
  const std::string deep = Write(std::string(70, 'd') + ".ini", kGoodDocument);
  ASSERT_TRUE(StartEditor());
  prompts_->filePaths.push_back(wxString::FromUTF8(cfg));
  ASSERT_TRUE(Command(wxID_OPEN));
  ASSERT_EQ(prompts_->fileWildcards.size(), 1u);
  EXPECT_TRUE(prompts_->fileWildcards[0].Contains("All files (*)|*"));
  EXPECT_EQ(Document().GetFilename(), cfg);
  ASSERT_TRUE(Open(deep));

  const RecentFileMenu menu = ReadRecentFileMenu(*Frame().FileMenu());
  ASSERT_EQ(menu.labels.size(), 2u);
  EXPECT_EQ(menu.labels[1], "&2 ~/pads.cfg");
  EXPECT_EQ(menu.labels[0].length(), 3u + kRecentFileLabelLength);
  EXPECT_TRUE(menu.labels[0].EndsWith("ddd.ini"));
  // The recent entry of a file that is not ".ini" opens it.
  ASSERT_TRUE(Command(wxID_FILE2));
  EXPECT_EQ(Document().GetFilename(), cfg);
}

}  // namespace
}  // namespace zarvel::testing
