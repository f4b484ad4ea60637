#include "app/editor_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include <wx/app.h>
#include <wx/docview.h>
#include <wx/statusbr.h>
#include <wx/stc/stc.h>

#include "app/main_frame.h"
#include "app/zarvel_app.h"
#include "app/zarvel_doc.h"
#include "app/zarvel_view.h"

namespace zarvel::testing {

void EditorTest::SetUp() {
  savedDirectory_ = std::filesystem::current_path().string();
  SetEnvironment("HOME", (dir_.Path() / "user").string());
  SetEnvironment("XDG_CONFIG_HOME", ConfigDir());
  SetEnvironment("ZARVEL_HOME", HomeDir());
  std::filesystem::create_directories(dir_.Path() / "user");

  auto prompts = std::make_unique<ScriptedPrompts>();
  prompts_ = prompts.get();
  wxGetApp().SetPrompts(std::move(prompts));
  wxGetApp().SetHardwareOptions({});
  wxGetApp().SetSystemAccess({});
  previousLog_ = wxLog::SetActiveTarget(&log_);
}

void EditorTest::TearDown() {
  CloseEditor();
  wxLog::SetActiveTarget(previousLog_);
  for (const auto& [name, value] : savedEnvironment_) {
    if (value) {
      setenv(name.c_str(), value->c_str(), 1);
    } else {
      unsetenv(name.c_str());
    }
  }
  std::error_code ignored;
  std::filesystem::current_path(savedDirectory_, ignored);
}

bool EditorTest::StartEditor(const wxString& file) {
  return wxGetApp().Start(file);
}

void EditorTest::CloseEditor() {
  // Boxes a test left open, or that an execution shows while it is stopped, are closed as the
  // user would close them, so the execution can end.
  prompts_->dismissSoon = true;
  prompts_->DismissOpenBoxes();
  if (MainFrame* frame = wxGetApp().Frame()) {
    // A forced close still offers to save; what a test leaves behind is dropped.
    if (wxDocument* document = Documents().GetCurrentDocument()) {
      document->Modify(false);
    }
    frame->Close(true);
    Idle();
  }
  wxGetApp().Finish();
}

MainFrame& EditorTest::Frame() {
  MainFrame* frame = wxGetApp().Frame();
  EXPECT_NE(frame, nullptr);
  return *frame;
}

wxDocManager& EditorTest::Documents() {
  return *wxGetApp().Documents();
}

ZarvelDoc& EditorTest::Document() {
  auto* document = dynamic_cast<ZarvelDoc*>(Documents().GetCurrentDocument());
  EXPECT_NE(document, nullptr);
  return *document;
}

ZarvelView& EditorTest::View() {
  auto* view = dynamic_cast<ZarvelView*>(Documents().GetCurrentView());
  EXPECT_NE(view, nullptr);
  return *view;
}

wxStyledTextCtrl& EditorTest::Text() {
  return *View().Text();
}

void EditorTest::Type(const wxString& text) {
  for (const wxUniChar character : text) {
    if (character == '\n') {
      wxKeyEvent enter(wxEVT_KEY_DOWN);
      enter.m_keyCode = WXK_RETURN;
      enter.SetEventObject(&Text());
      Text().ProcessWindowEvent(enter);
      continue;
    }
    wxKeyEvent key(wxEVT_CHAR);
    key.m_keyCode = static_cast<int>(character.GetValue());
    key.m_uniChar = character.GetValue();
    key.SetEventObject(&Text());
    Text().ProcessWindowEvent(key);
  }
}

bool EditorTest::Command(int id) {
  return Frame().ProcessCommand(id);
}

bool EditorTest::PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) {
      return false;
    }
    wxTheApp->Yield(true);
    wxTheApp->ProcessPendingEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

void EditorTest::PumpFor(std::chrono::milliseconds time) {
  PumpUntil([] { return false; }, time);
}

void EditorTest::Idle() {
  wxTheApp->ProcessPendingEvents();
  wxTheApp->ProcessIdle();
}

wxString EditorTest::Pane(int pane) {
  return Frame().GetStatusBar()->GetStatusText(pane);
}

std::string EditorTest::Write(const std::string& name, const std::string& contents) {
  return dir_.Write(name, contents);
}

std::string EditorTest::Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool EditorTest::Open(const std::string& path) {
  return Documents().CreateDocument(wxString::FromUTF8(path)) != nullptr;
}

std::string EditorTest::HomeDir() const {
  return (dir_.Path() / "zarvel-home").string() + "/";
}

std::string EditorTest::ConfigDir() const {
  return (dir_.Path() / "config").string();
}

void EditorTest::SetEnvironment(const char* name, const std::optional<std::string>& value) {
  if (savedEnvironment_.find(name) == savedEnvironment_.end()) {
    const char* current = std::getenv(name);
    savedEnvironment_[name] =
        current != nullptr ? std::optional<std::string>(current) : std::nullopt;
  }
  if (value) {
    setenv(name, value->c_str(), 1);
  } else {
    unsetenv(name);
  }
}

}  // namespace zarvel::testing
