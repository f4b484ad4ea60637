#include "app/zarvel_app.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include <wx/cmdline.h>
#include <wx/config.h>
#include <wx/docview.h>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

#include "app/about_dialog.h"
#include "app/command_ids.h"
#include "app/command_line.h"
#include "app/dialog_prompts.h"
#include "app/editor_texts.h"
#include "app/main_frame.h"
#include "app/window_geometry.h"
#include "app/zarvel_doc_manager.h"
#include "app/zarvel_doc_template.h"

namespace zarvel {

// clang-format off
wxBEGIN_EVENT_TABLE(ZarvelApp, wxApp)
  EVT_IDLE(ZarvelApp::OnIdle)
  EVT_MENU(wxID_ABOUT, ZarvelApp::OnAppAbout)
wxEND_EVENT_TABLE()
// clang-format on

ZarvelApp::ZarvelApp() : prompts_(std::make_unique<DialogPrompts>()) {}

ZarvelApp::~ZarvelApp() = default;

void ZarvelApp::OnInitCmdLine(wxCmdLineParser& parser) {
  DescribeCommandLine(parser);
}

bool ZarvelApp::OnCmdLineParsed(wxCmdLineParser& parser) {
  // The command line was checked before the framework started (see main), so a refusal here
  // means the program was started some other way; it is still said on standard error.
  if (const std::optional<std::string> error = ReadHardwareOptions(parser, hardwareOptions_)) {
    std::fprintf(stderr, "zarvel: %s\n", error->c_str());
    return false;
  }
  realtime_ = !parser.Found(kNoRealtimeSwitch);
  if (parser.GetParamCount() > 0) {
    fileToOpen_ = parser.GetParam(0);
  }
  return wxApp::OnCmdLineParsed(parser);
}

bool ZarvelApp::OnInit() {
  if (!wxApp::OnInit()) {
    return false;
  }
  return Start(fileToOpen_);
}

int ZarvelApp::OnExit() {
  Finish();
  return wxApp::OnExit();
}

bool ZarvelApp::Start(const wxString& fileToOpen) {
  // Settings, the recent files among them, are kept under the vendor's and the program's
  // names, in the desktop's usual place for them.
  SetVendorName(kVendorName);
  SetAppName(kAppTitle);
  SetAppDisplayName(kAppTitle);
  wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
  wxFileName::Mkdir(wxStandardPaths::Get().GetUserConfigDir(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
  wxConfigBase::Set(
      new wxFileConfig(kAppTitle, kVendorName, wxString(), wxString(), wxCONFIG_USE_LOCAL_FILE));

  documents_ = std::make_unique<ZarvelDocManager>();
  new ZarvelDocTemplate(documents_.get());
  documents_->SetMaxDocsOpen(1);

  // The hardware is the one chosen in the Hardware menu before, as the settings keep it, unless
  // the command line says otherwise for this run.
  const HardwareChoice hardware = StartingHardwareChoice(*wxConfigBase::Get(), hardwareOptions_);
  auto* frame = new MainFrame(documents_.get(), *prompts_, hardware, access_);
  frame_ = frame;
  if (realtime_) {
    frame->AskForRealtime();
  }
  SetTopWindow(frame);
  // The window comes back where and as large as the user left it (see MainFrame's close).
  WindowGeometry geometry(*wxConfigBase::Get(), kMainWindowGroup);
  frame->RestoreToGeometry(geometry);

  wxConfigBase* config = wxConfigBase::Get();
  documents_->FileHistoryUseMenu(frame->FileMenu());
  config->SetPath(kRecentFilesGroup);
  documents_->FileHistoryLoad(*config);
  config->SetPath("/");

  // A file named on the command line is opened; otherwise the editor starts with a new one.
  const wxDocument* first = fileToOpen.empty() ? documents_->CreateDocument(wxString(), wxDOC_NEW)
                                               : documents_->CreateDocument(fileToOpen);
  if (first == nullptr) {
    wxLog::FlushActive();
    frame->Destroy();
    Finish();
    return false;
  }

  frame->Show();
  frame->AcceptDroppedFiles();
  return true;
}

void ZarvelApp::Finish() {
  if (!documents_) {
    return;
  }
  if (wxConfigBase* config = wxConfigBase::Get(false)) {
    config->SetPath(kRecentFilesGroup);
    documents_->FileHistorySave(*config);
    config->SetPath("/");
  }
  if (frame_ != nullptr) {
    documents_->FileHistoryRemoveMenu(frame_->FileMenu());
  }
  documents_.reset();
  delete wxConfigBase::Set(nullptr);
}

void ZarvelApp::UpdateIndicators() {
  MainFrame* frame = frame_;
  if (frame == nullptr) {
    return;
  }
  UpdateExecutionIndicator();
  frame->ShowPaneText(kCapsPane, wxGetKeyState(WXK_CAPITAL) ? kCapsIndicator : "");
  frame->ShowPaneText(kNumPane, wxGetKeyState(WXK_NUMLOCK) ? kNumIndicator : "");
  frame->ShowPaneText(kScrollPane, wxGetKeyState(WXK_SCROLL) ? kScrollIndicator : "");
}

int ZarvelApp::FilterEvent(wxEvent& event) {
  const wxEventType type = event.GetEventType();
  if (type == wxEVT_KEY_DOWN || type == wxEVT_KEY_UP || type == wxEVT_ACTIVATE ||
      type == wxEVT_ACTIVATE_APP) {
    locksStale_ = true;
  }
  return Event_Skip;
}

void ZarvelApp::OnIdle(wxIdleEvent& event) {
  event.Skip();
  // Every idle pass writes the execution indicator, which costs nothing when it has not
  // changed. The lock states are asked of the X server in several round trips each, so they
  // are asked only after a key or an activation could have changed them: an execution's
  // Pads panel and the caret's blinking make idle passes several times a second.
  if (locksStale_) {
    locksStale_ = false;
    UpdateIndicators();
  } else {
    UpdateExecutionIndicator();
  }
}

void ZarvelApp::UpdateExecutionIndicator() {
  if (MainFrame* frame = frame_) {
    frame->ShowPaneText(kExecutionPane, frame->Run().finished != 0 ? kInactive : kActive);
  }
}

void ZarvelApp::OnAppAbout(wxCommandEvent& /*event*/) {
  AboutDialog about;
  about.ShowModal();
}

}  // namespace zarvel
