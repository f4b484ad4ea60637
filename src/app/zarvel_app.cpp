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
#include "app/dialog_prompts.h"
#include "app/editor_texts.h"
#include "app/main_frame.h"
#include "app/zarvel_doc.h"
#include "app/zarvel_doc_manager.h"
#include "app/zarvel_view.h"

namespace zarvel {

namespace {

constexpr char kFileParameter[] = "FILE";
constexpr char kParportOption[] = "parport";
constexpr char kKeyboardOption[] = "keyboard";
constexpr char kParportHelp[] =
    "where the pads are read: sim (the default), ppdev, ppdev:DEVICE or direct";
constexpr char kKeyboardHelp[] = "where the keys go: sim (the default), uinput or direct";

using ChoiceReader = std::optional<std::string> (*)(std::string_view, HardwareChoice&);

// Reads one hardware option, when it was given; says why it was refused on standard error,
// where the command line's user looks.
bool ReadHardwareOption(wxCmdLineParser& parser, const char* name, ChoiceReader read,
                        HardwareChoice& choice) {
  wxString value;
  if (!parser.Found(name, &value)) {
    return true;
  }
  if (const std::optional<std::string> error = read(value.utf8_string(), choice)) {
    std::fprintf(stderr, "zarvel: --%s: %s\n", name, error->c_str());
    return false;
  }
  return true;
}

}  // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(ZarvelApp, wxApp)
  EVT_IDLE(ZarvelApp::OnIdle)
  EVT_MENU(wxID_ABOUT, ZarvelApp::OnAppAbout)
wxEND_EVENT_TABLE()
// clang-format on

ZarvelApp::ZarvelApp() : prompts_(std::make_unique<DialogPrompts>()) {}

ZarvelApp::~ZarvelApp() = default;

void ZarvelApp::OnInitCmdLine(wxCmdLineParser& parser) {
  wxApp::OnInitCmdLine(parser);
  parser.AddLongOption(kParportOption, kParportHelp, wxCMD_LINE_VAL_STRING);
  parser.AddLongOption(kKeyboardOption, kKeyboardHelp, wxCMD_LINE_VAL_STRING);
  parser.AddParam(kFileParameter, wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_OPTIONAL);
}

bool ZarvelApp::OnCmdLineParsed(wxCmdLineParser& parser) {
  if (!ReadHardwareOption(parser, kParportOption, ReadParportChoice, hardware_) ||
      !ReadHardwareOption(parser, kKeyboardOption, ReadKeyboardChoice, hardware_)) {
    return false;
  }
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
  new wxDocTemplate(documents_.get(), kDocumentDescription, kDocumentFilter, wxString(),
                    kDocumentExtension, kDocumentTypeName, kViewTypeName, wxCLASSINFO(ZarvelDoc),
                    wxCLASSINFO(ZarvelView));
  documents_->SetMaxDocsOpen(1);

  auto* frame = new MainFrame(documents_.get(), *prompts_, hardware_, access_);
  frame_ = frame;
  SetTopWindow(frame);

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
  frame->ReleaseEndedExecution();
  frame->ShowPaneText(kExecutionPane, frame->Run().finished != 0 ? kInactive : kActive);
  frame->ShowPaneText(kCapsPane, wxGetKeyState(WXK_CAPITAL) ? kCapsIndicator : "");
  frame->ShowPaneText(kNumPane, wxGetKeyState(WXK_NUMLOCK) ? kNumIndicator : "");
  frame->ShowPaneText(kScrollPane, wxGetKeyState(WXK_SCROLL) ? kScrollIndicator : "");
}

void ZarvelApp::OnIdle(wxIdleEvent& event) {
  event.Skip();
  UpdateIndicators();
}

void ZarvelApp::OnAppAbout(wxCommandEvent& /*event*/) {
  AboutDialog about;
  about.ShowModal();
}

}  // namespace zarvel
