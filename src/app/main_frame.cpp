#include "app/main_frame.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include <wx/accel.h>
#include <wx/app.h>
#include <wx/config.h>
#include <wx/display.h>
#include <wx/evtloop.h>
#include <wx/filename.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>
#include <wx/stc/stc.h>
#include <wx/stdpaths.h>
#include <wx/toolbar.h>

#include "app/command_ids.h"
#include "app/editor_art.h"
#include "app/editor_host.h"
#include "app/editor_texts.h"
#include "app/file_drop_target.h"
#include "app/hardware_menu.h"
#include "app/hardware_pane.h"
#include "app/input_pause.h"
#include "app/latin1_text.h"
#include "app/pads_panel.h"
#include "app/problem_list.h"
#include "app/temp_copy.h"
#include "app/user_prompts.h"
#include "app/window_geometry.h"
#include "app/zarvel_view.h"
#include "check/button_assignment.h"
#include "check/pressed_key_name.h"
#include "config/settings_files.h"
#include "engine/pad_layout.h"
#include "platform/home_directory.h"

namespace zarvel {

namespace {

// Lets a splitter draw only when the part of it to be drawn reaches its sash. The desktop asks
// a window to draw the parts of its children that changed too, and the caret's blinking in the
// text would otherwise have both splitters around it make a drawing context and draw their
// sashes twice a second for nothing. The desktop here needs no drawing context to count a
// window as drawn.
void DrawSashOnlyWhereExposed(wxSplitterWindow* split) {
  // Its panes cover all of it but the sash, which it draws whole: no background to clear first.
  split->SetBackgroundStyle(wxBG_STYLE_PAINT);
  split->Bind(wxEVT_PAINT, [split](wxPaintEvent& event) {
    if (!split->IsSplit()) {
      return;
    }
    const wxSize size = split->GetClientSize();
    const int at = split->GetSashPosition();
    const wxRect sash = split->GetSplitMode() == wxSPLIT_VERTICAL
                            ? wxRect(at, 0, split->GetSashSize(), size.y)
                            : wxRect(0, at, size.x, split->GetSashSize());
    if (split->GetUpdateRegion().Contains(sash) != wxOutRegion) {
      event.Skip();
    }
  });
}

// The first size of the main window, in pixels at the usual density: tall enough for a whole
// pad section (its twelve buttons, each in every shift state) under the menu and tool bars.
// Later starts take the size the user left it at.
const wxSize kFrameSize(760, 720);
const wxSize kToolImageSize(16, 15);
// The first height of the list of problems below the text, in pixels at the usual density;
// later the height the user dragged it to.
constexpr int kProblemListHeight = 140;
// No pane beside a sash can be dragged smaller than this, in pixels at the usual density.
constexpr int kSmallestPane = 60;
// The fields of the main window's settings that keep the sizes of the Pads panel and the list
// of problems, in pixels.
constexpr char kPadsWidthField[] = "PadsWidth";
constexpr char kProblemsHeightField[] = "ProblemsHeight";
// The execution indicator is at least this wide, in pixels, and always wide enough for its
// longer text.
constexpr int kExecutionPaneMinimum = 40;
// Room beside a pane's text for its borders.
constexpr int kPanePadding = 12;
// How long one pass of a wait for the end of an execution sleeps, in milliseconds. A wait may
// last as long as the user leaves an execution's error box open, so it checks a hundred times
// a second rather than keeping a core busy; a user closing the box or an execution ending is
// seen within that time.
constexpr unsigned long kWaitPollPeriod = 10;
// The desktop numbers a key 8 higher than the Linux input layer does.
constexpr uint32_t kDesktopKeyOffset = 8;
// The box style of Execute's refusals: an OK button and the exclamation icon.
constexpr long kRefusalStyle = wxOK | wxICON_EXCLAMATION;
// How long after the last change of the text its pads are read again, in milliseconds: typing
// is not slowed by a reading at every key.
constexpr int kDocumentPadsDelayMs = 300;

void AppendCommand(wxMenu& menu, int id, wxItemKind kind = wxITEM_NORMAL) {
  const CommandTexts& texts = TextsOf(id);
  menu.Append(id, texts.label, texts.prompt, kind);
}

void AddTool(wxToolBar& bar, int id, ToolImage image) {
  const CommandTexts& texts = TextsOf(id);
  bar.AddTool(id, texts.tooltip, ToolBitmap(image), wxBitmapBundle(), wxITEM_NORMAL, texts.tooltip,
              texts.prompt);
}

}  // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(MainFrame, wxDocParentFrame)
  EVT_MENU(kExecuteId, MainFrame::OnExecute)
  EVT_MENU(kStopId, MainFrame::OnStop)
  EVT_MENU(kCheckId, MainFrame::OnCheck)
  EVT_MENU(kToggleToolBarId, MainFrame::OnToggleToolBar)
  EVT_MENU(kToggleStatusBarId, MainFrame::OnToggleStatusBar)
  EVT_UPDATE_UI(kToggleToolBarId, MainFrame::OnUpdateToggleToolBar)
  EVT_UPDATE_UI(kToggleStatusBarId, MainFrame::OnUpdateToggleStatusBar)
  EVT_MENU(kTogglePadsId, MainFrame::OnTogglePads)
  EVT_UPDATE_UI(kTogglePadsId, MainFrame::OnUpdateTogglePads)
  EVT_MENU(kAssignId, MainFrame::OnAssign)
  EVT_UPDATE_UI(kAssignId, MainFrame::OnUpdateAssign)
  EVT_MENU(kManualId, MainFrame::OnManual)
  EVT_MENU(kToggleProblemsId, MainFrame::OnToggleProblems)
  EVT_UPDATE_UI(kToggleProblemsId, MainFrame::OnUpdateToggleProblems)
wxEND_EVENT_TABLE()
// clang-format on

MainFrame::MainFrame(wxDocManager* manager, UserPrompts& prompts, const HardwareChoice& hardware,
                     SystemAccess access)
    : wxDocParentFrame(manager, nullptr, wxID_ANY, kAppTitle),
      prompts_(prompts),
      calls_(access.calls != nullptr ? *access.calls : systemCalls_),
      hardware_(hardware, calls_, access.evdev != nullptr ? *access.evdev : evdevCalls_,
                [this](const std::string& notice) { ShowNotice(notice); }),
      // The home directory is found once, as the runner finds it; it is created on first use.
      session_(state_, hardware_, std::string(),
               [this](const std::string& notice) { ShowNotice(notice); }) {
  // While Stop or Execute waits for the end of an execution, the execution may be showing its
  // error box, or about to ask for it, and only this thread can show and close it. So events
  // are still handled, with the user's input paused (see StopExecution). Each pass sleeps
  // until the desktop has an event for the program or the period is over, handles that one
  // event, then the events queued for the program's own windows.
  session_.SetWaitPass([] {
    wxGUIEventLoop pass;
    pass.DispatchTimeout(kWaitPollPeriod);
    wxTheApp->ProcessPendingEvents();
  });

  hardwareMenu_ = std::make_unique<HardwareMenu>(
      *this, calls_, prompts_, hardware, [this](const HardwareChoice&) { ChooseHardware(); });

  SetIcons(AppIcons());
  SetSize(FirstSize());
  BuildMenus();
  BuildToolBar();
  BuildStatusBar();
  BuildDocumentArea();

  // Closing the window first offers the document for saving (the framework's own handler),
  // then stops a running execution, so that the run block outlives the thread that uses it.
  Bind(wxEVT_CLOSE_WINDOW, &MainFrame::OnCloseWindow, this);
  Bind(wxEVT_CHAR_HOOK, &MainFrame::OnCharHook, this);
}

MainFrame::~MainFrame() {
  StopExecution();
}

wxSize MainFrame::FirstSize() const {
  // Never larger than the screen it opens on, less the desktop's own panels.
  const wxRect screen = wxDisplay(this).GetClientArea();
  const wxSize wanted = FromDIP(kFrameSize);
  return {std::min(wanted.GetWidth(), screen.GetWidth()),
          std::min(wanted.GetHeight(), screen.GetHeight())};
}

void MainFrame::BuildMenus() {
  fileMenu_ = new wxMenu;
  AppendCommand(*fileMenu_, wxID_NEW);
  AppendCommand(*fileMenu_, wxID_OPEN);
  AppendCommand(*fileMenu_, wxID_SAVE);
  AppendCommand(*fileMenu_, wxID_SAVEAS);
  fileMenu_->AppendSeparator();
  AppendCommand(*fileMenu_, kCheckId);
  AppendCommand(*fileMenu_, kExecuteId);
  AppendCommand(*fileMenu_, kStopId);
  fileMenu_->AppendSeparator();
  // The recent-file list takes this place (see RecentFiles).
  fileMenu_->Append(kRecentFilePlaceholderId, kRecentFilePlaceholder)->Enable(false);
  fileMenu_->AppendSeparator();
  AppendCommand(*fileMenu_, wxID_EXIT);

  auto* editMenu = new wxMenu;
  AppendCommand(*editMenu, wxID_UNDO);
  AppendCommand(*editMenu, wxID_REDO);
  editMenu->AppendSeparator();
  AppendCommand(*editMenu, wxID_CUT);
  AppendCommand(*editMenu, wxID_COPY);
  AppendCommand(*editMenu, wxID_PASTE);
  editMenu->AppendSeparator();
  AppendCommand(*editMenu, wxID_FIND);
  AppendCommand(*editMenu, kFindNextId);
  editMenu->AppendSeparator();
  AppendCommand(*editMenu, kAssignId, wxITEM_CHECK);

  auto* viewMenu = new wxMenu;
  AppendCommand(*viewMenu, kToggleToolBarId, wxITEM_CHECK);
  AppendCommand(*viewMenu, kToggleStatusBarId, wxITEM_CHECK);
  AppendCommand(*viewMenu, kTogglePadsId, wxITEM_CHECK);
  AppendCommand(*viewMenu, kToggleProblemsId, wxITEM_CHECK);

  auto* helpMenu = new wxMenu;
  AppendCommand(*helpMenu, kManualId);
  AppendCommand(*helpMenu, kHardwareHelpId);
  helpMenu->AppendSeparator();
  AppendCommand(*helpMenu, wxID_ABOUT);

  auto* menuBar = new wxMenuBar;
  menuBar->Append(fileMenu_, kFileMenu);
  menuBar->Append(editMenu, kEditMenu);
  menuBar->Append(viewMenu, kViewMenu);
  menuBar->Append(hardwareMenu_->Menu(), kHardwareMenu);
  menuBar->Append(helpMenu, kHelpMenu);
  SetMenuBar(menuBar);

  // The keys the menu labels do not already name.
  wxAcceleratorEntry keys[] = {
      {wxACCEL_ALT, WXK_BACK, wxID_UNDO},      {wxACCEL_CTRL | wxACCEL_SHIFT, 'Z', wxID_REDO},
      {wxACCEL_SHIFT, WXK_DELETE, wxID_CUT},   {wxACCEL_CTRL, WXK_INSERT, wxID_COPY},
      {wxACCEL_SHIFT, WXK_INSERT, wxID_PASTE},
  };
  SetAcceleratorTable(wxAcceleratorTable(std::size(keys), keys));
}

void MainFrame::BuildToolBar() {
  wxToolBar* bar = CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT);
  bar->SetToolBitmapSize(kToolImageSize);
  AddTool(*bar, wxID_NEW, ToolImage::kNew);
  AddTool(*bar, wxID_OPEN, ToolImage::kOpen);
  AddTool(*bar, wxID_SAVE, ToolImage::kSave);
  bar->AddSeparator();
  AddTool(*bar, kExecuteId, ToolImage::kExecute);
  AddTool(*bar, kStopId, ToolImage::kStop);
  bar->AddSeparator();
  AddTool(*bar, wxID_CUT, ToolImage::kCut);
  AddTool(*bar, wxID_COPY, ToolImage::kCopy);
  AddTool(*bar, wxID_PASTE, ToolImage::kPaste);
  bar->AddSeparator();
  AddTool(*bar, wxID_ABOUT, ToolImage::kAbout);
  bar->Realize();
}

void MainFrame::BuildStatusBar() {
  // The bar's tooltips are the editor's own (see ShowStatusBarTips).
  wxStatusBar* bar = CreateStatusBar(kPaneCount, wxSTB_DEFAULT_STYLE & ~wxSTB_SHOW_TIPS);
  const auto width = [bar](const char* text) {
    return bar->GetTextExtent(text).GetWidth() + kPanePadding;
  };
  const int widths[kPaneCount] = {
      -1,
      std::max({kExecutionPaneMinimum, width(kInactive), width(kActive)}),
      width(kCapsIndicator),
      width(kNumIndicator),
      width(kScrollIndicator),
      width(kSimulatedPc),
  };
  bar->SetStatusWidths(kPaneCount, widths);
  SetStatusText(kIdleStatus, kMessagePane);
  SetStatusText(kInactive, kExecutionPane);
  ShowHardwarePane(*bar, hardware_.Choice());
  ShowStatusBarTips(*bar);
}

void MainFrame::ChooseHardware() {
  if (session_.Running() || waiting_) {
    SetStatusText(kHardwareAtNextExecute, kMessagePane);
    return;
  }
  UseChosenHardware();
}

void MainFrame::UseChosenHardware() {
  // The factory may close devices now: no execution may still be using them, so an execution
  // that ended by itself is waited for (at once) first.
  StopExecution();
  hardware_.SetChoice(hardwareMenu_->Choice());
  if (wxStatusBar* bar = GetStatusBar()) {
    ShowHardwarePane(*bar, hardware_.Choice());
  }
}

void MainFrame::BuildDocumentArea() {
  // The sashes' window covers all of the frame's inside: no background for the frame to clear
  // whenever the caret blinks.
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  // Sashes the user can drag: between the text with its list of problems and the Pads panel,
  // and between the text and the list. The text keeps what room the window gains or loses.
  auto* padsSplit = new wxSplitterWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                         wxSP_LIVE_UPDATE | wxSP_NOBORDER);
  documentArea_ = padsSplit;
  textSplit_ = new wxSplitterWindow(padsSplit, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                    wxSP_LIVE_UPDATE | wxSP_NOBORDER);
  padsSplit->SetSashGravity(1.0);
  textSplit_->SetSashGravity(1.0);
  padsSplit->SetMinimumPaneSize(FromDIP(kSmallestPane));
  textSplit_->SetMinimumPaneSize(FromDIP(kSmallestPane));
  // A plain window rather than a panel: the text wants the Tab key for itself.
  textHolder_ = new wxWindow(textSplit_, wxID_ANY);
  // The text covers it all.
  textHolder_->SetBackgroundStyle(wxBG_STYLE_PAINT);
  textColumn_ = new wxBoxSizer(wxVERTICAL);
  textHolder_->SetSizer(textColumn_);
  problems_ = new ProblemList(textSplit_, [this](int line, const std::string& subject) {
    if (ZarvelView* view = CurrentView()) {
      view->ShowLine(line, subject);
    }
  });
  problems_->Hide();
  textSplit_->Initialize(textHolder_);
  DrawSashOnlyWhereExposed(padsSplit);
  DrawSashOnlyWhereExposed(textSplit_);
  padsPanel_ = new PadsPanel(
      documentArea_, snapshot_, [this](int32_t pad, SimButtonBits held) { HoldByHand(pad, held); },
      [this] { return session_.Running(); });
  RestorePaneSizes();
  padsSplit->SplitVertically(textSplit_, padsPanel_, -padsWidth_);
  documentPadsTimer_.SetOwner(this);
  Bind(
      wxEVT_TIMER, [this](wxTimerEvent&) { ShowDocumentPads(); }, documentPadsTimer_.GetId());
  documentArea_->Bind(wxEVT_STC_CHANGE, [this](wxStyledTextEvent& event) {
    event.Skip();
    documentPadsTimer_.StartOnce(kDocumentPadsDelayMs);
  });
}

void MainFrame::RestorePaneSizes() {
  auto* padsSplit = static_cast<wxSplitterWindow*>(documentArea_);
  padsWidth_ = padsPanel_->GetBestSize().GetWidth() + padsSplit->GetSashSize();
  problemsHeight_ = FromDIP(kProblemListHeight) + textSplit_->GetSashSize();
  if (wxConfigBase* config = wxConfigBase::Get(false)) {
    WindowGeometry kept(*config, kMainWindowGroup);
    int width = 0;
    int height = 0;
    if (kept.RestoreField(kPadsWidthField, &width) && width > 0) {
      padsWidth_ = width;
    }
    if (kept.RestoreField(kProblemsHeightField, &height) && height > 0) {
      problemsHeight_ = height;
    }
  }
}

void MainFrame::SavePaneSizes() {
  NotePaneSizes();
  if (wxConfigBase* config = wxConfigBase::Get(false)) {
    WindowGeometry kept(*config, kMainWindowGroup);
    kept.SaveField(kPadsWidthField, padsWidth_);
    kept.SaveField(kProblemsHeightField, problemsHeight_);
  }
}

void MainFrame::NotePaneSizes() {
  auto* padsSplit = static_cast<wxSplitterWindow*>(documentArea_);
  // A pane's size is kept with its sash, as a split counted from the far side takes it.
  if (padsSplit->IsSplit()) {
    padsWidth_ = padsSplit->GetClientSize().GetWidth() - padsSplit->GetSashPosition();
  }
  if (textSplit_->IsSplit()) {
    problemsHeight_ = textSplit_->GetClientSize().GetHeight() - textSplit_->GetSashPosition();
  }
}

void MainFrame::ShowPadsPanel(bool show) {
  auto* padsSplit = static_cast<wxSplitterWindow*>(documentArea_);
  if (show == padsSplit->IsSplit()) {
    return;
  }
  if (show) {
    padsSplit->SplitVertically(textSplit_, padsPanel_, -padsWidth_);
  } else {
    NotePaneSizes();
    padsSplit->Unsplit(padsPanel_);
  }
}

void MainFrame::ShowProblemList(bool show) {
  if (show == textSplit_->IsSplit()) {
    return;
  }
  if (show) {
    textSplit_->SplitHorizontally(textHolder_, problems_, -problemsHeight_);
  } else {
    NotePaneSizes();
    textSplit_->Unsplit(problems_);
  }
}

void MainFrame::OnManual(wxCommandEvent& /*event*/) {
  // Installed, the manual lies in share/zarvel beside the program's bin; in the build tree, in
  // share/zarvel beside the program itself.
  const wxFileName program(wxStandardPaths::Get().GetExecutablePath());
  for (const char* up : {"/../", "/"}) {
    wxFileName manual(program.GetPath() + up + kManualPath);
    manual.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE);
    if (manual.FileExists()) {
      if (!prompts_.ShowPage(manual.GetFullPath())) {
        Refuse(wxString::Format(kManualNotShown, manual.GetFullPath()));
      }
      return;
    }
  }
  Refuse(wxString::Format(kManualNotFound, program.GetPath()));
}

void MainFrame::OnToggleProblems(wxCommandEvent& /*event*/) {
  ShowProblemList(!textSplit_->IsSplit() && problems_->GetItemCount() > 0);
}

void MainFrame::OnUpdateToggleProblems(wxUpdateUIEvent& event) {
  event.Enable(problems_->GetItemCount() > 0);
  event.Check(textSplit_->IsSplit());
}

void MainFrame::ShowDocumentPads() {
  if (IsBeingDeleted() || (session_.Running() && padsPanel_->ShowsExecution())) {
    return;
  }
  ZarvelView* view = CurrentView();
  if (view == nullptr || view->GetDocument() == nullptr) {
    return;
  }
  // The text as the window shows it, saved or not, with the global settings file of the home
  // directory, which may hold pad sections too.
  const std::optional<std::string> bytes = BytesFromText(view->Text()->GetText());
  if (!bytes) {
    return;
  }
  SettingsFiles files;
  files.localFile = SettingsText(std::string(), *bytes);
  files.globalFile = SettingsText();
  if (!session_.HomeDir().empty()) {
    const std::string global = session_.HomeDir() + std::string(kGlobalFileName);
    if (std::optional<SettingsText> text = ReadSettingsText(global, global)) {
      files.globalFile = std::move(text);
    }
  }
  padsPanel_->ShowDocumentPads(LayoutOfSettings(files), view->GetDocument()->GetUserReadableName());
}

void MainFrame::PlaceText(wxWindow* text) {
  problems_->ShowProblems({}, std::string(), wxString());
  ShowProblemList(false);
  FollowText(text);
  textColumn_->Insert(0, text, wxSizerFlags(1).Expand());
  // The area fills the frame whenever the frame is sized, and lays out its text then; the new
  // text gets its room at once, before it holds anything to scroll.
  SendSizeEvent();
  textHolder_->Layout();
  // The new document's pads, once its text is in. The timer goes with the frame, so a frame
  // taken down before it fires (a start that failed) is not called.
  documentPadsTimer_.StartOnce(1);
}

ZarvelView* MainFrame::CurrentView() const {
  auto* view = dynamic_cast<ZarvelView*>(GetDocumentManager()->GetCurrentView());
  return view != nullptr && view->Text() != nullptr ? view : nullptr;
}

void MainFrame::OnCheck(wxCommandEvent& /*event*/) {
  ZarvelView* view = CurrentView();
  if (view == nullptr || view->GetDocument() == nullptr) {
    Refuse(kNoFileLoaded);
    return;
  }
  wxDocument* document = view->GetDocument();
  const std::optional<std::string> bytes = BytesFromText(view->Text()->GetText());
  if (!bytes) {
    Refuse(kCannotCheck);
    return;
  }
  // Check reads the text as the window shows it: a text changed since it was saved, or never
  // saved, is checked from a copy of its own, and the file on the disk is left alone.
  std::string checked =
      document->GetDocumentSaved() ? std::string(document->GetFilename().fn_str()) : std::string();
  std::optional<TempCopy> copy;
  if (checked.empty() || document->IsModified()) {
    copy.emplace(*bytes);
    if (copy->Path().empty()) {
      Refuse(wxString::Format(kCannotCheckCopy, TextFromBytes(copy->Error())));
      return;
    }
    checked = copy->Path();
  }
  const std::vector<Problem> problems = CheckConfiguration(
      checked, session_.HomeDir(), [this](const std::string& notice) { ShowNotice(notice); });
  ShowProblems(problems, checked);
  const wxString name = document->GetUserReadableName();
  wxString outcome = wxString::Format(kProblemsFound, problems.size(), name);
  if (problems.empty()) {
    outcome = wxString::Format(kNoProblems, name);
  } else if (problems.size() == 1) {
    outcome = wxString::Format(kOneProblemFound, name);
  }
  // Queued behind the notices the check gave (a home directory it created), so that the
  // outcome is what the status bar is left showing.
  CallAfter([this, outcome] { ShowPaneText(kMessagePane, outcome); });
}

void MainFrame::ShowProblems(const std::vector<Problem>& problems, const std::string& checkedPath) {
  ZarvelView* view = CurrentView();
  const wxString name =
      view != nullptr ? view->GetDocument()->GetUserReadableName() : wxString(kUntitled);
  problems_->ShowProblems(problems, checkedPath, name);
  ShowProblemList(!problems.empty());
  if (view != nullptr) {
    view->MarkLines(problems_->DocumentLines());
  }
}

void MainFrame::ShowExecutionStop(const std::string& path, const std::string& message,
                                  const SettingsPlace& place) {
  ZarvelView* view = CurrentView();
  const bool ofShownText = shownCopy_ != nullptr && shownCopy_->Path() == path;
  if (view == nullptr ||
      (std::string(view->GetDocument()->GetFilename().fn_str()) != path && !ofShownText)) {
    return;
  }
  // The stop names its place itself; only a line of this document is marked in its text.
  std::error_code ignored;
  const bool inDocument =
      place.file == path || place.file == std::filesystem::absolute(path, ignored).string();
  if (!inDocument || place.line <= 0) {
    return;
  }
  const Problem stop{path, place.line, StopMessageOf(message, place), true};
  ShowProblems({stop}, path);
  ShowPaneText(kMessagePane,
               wxString::Format(kExecutionStopped, stop.line, TextFromBytes(stop.message)));
}

void MainFrame::OpenFiles(const wxArrayString& files) {
  for (const wxString& file : files) {
    GetDocumentManager()->CreateDocument(file);
  }
}

void MainFrame::AcceptDroppedFiles() {
  SetDropTarget(new FileDropTarget(*this));
}

void MainFrame::ShowPaneText(int pane, const wxString& text) {
  wxStatusBar* bar = GetStatusBar();
  if (bar != nullptr && bar->GetStatusText(pane) != text) {
    bar->SetStatusText(text, pane);
  }
}

void MainFrame::OnExecute(wxCommandEvent& /*event*/) {
  if (waiting_) {
    return;
  }
  wxDocument* document = GetDocumentManager()->GetCurrentDocument();
  if (document == nullptr) {
    Refuse(kNoFileLoaded);
    return;
  }
  if (document->GetUserReadableName() == kUntitled) {
    Refuse(kNeverSaved);
    return;
  }
  if (document->IsModified()) {
    if (prompts_.ShowMessage(this, kMustSaveFirst, kBadThingCaption,
                             wxYES_NO | wxICON_EXCLAMATION) != wxYES) {
      return;
    }
    // A failed save has been reported by the document; the file as last stored is executed.
    document->OnSaveDocument(document->GetFilename());
  }
  // A document that was never stored has no path of its own, whatever name it shows.
  const wxString pathName = document->GetDocumentSaved() ? document->GetFilename() : wxString();
  if (pathName.empty()) {
    Refuse(kNoFileLoaded);
    return;
  }

  StartExecution(std::string(pathName.fn_str()));
  // The copy of a text shown that an Assign restarted with is no longer read.
  shownCopy_.reset();
}

void MainFrame::StartExecution(const std::string& path) {
  UseChosenHardware();
  // The panel names the document shown, also when an Assign restarts on a copy of its text.
  ZarvelView* view = CurrentView();
  const wxString name =
      view != nullptr ? view->GetDocument()->GetUserReadableName() : wxString(path);
  // The mouse presses only the simulated PC's pads; real ones show what the port reads.
  const bool padsSimulated = hardware_.Choice().parport == ParportBackEnd::kSim;
  const auto makeHost = [this, path, name, padsSimulated](
                            RunBlock& runBlock, std::unique_ptr<ExecutionHardware> hardware) {
    auto host = std::make_unique<EditorHost>(
        prompts_, std::move(hardware), [this](const std::string& notice) { ShowNotice(notice); },
        [this, path](const std::string& message, const SettingsPlace& place) {
          // Told on the execution thread; only the GUI thread may touch the text.
          CallAfter([this, path, message, place] { ShowExecutionStop(path, message, place); });
        });
    // No execution runs now: the last one has ended, and this one's thread is not started yet.
    const uint64_t generation = runBlock.generation;
    snapshot_.BeginExecution(generation);
    host->WhenEnded([this, generation] {
      CallAfter([this, generation] { ReleaseEndedExecution(generation); });
    });
    host->ShowPads(snapshot_, [this, padsSimulated, generation, name](std::vector<PadLayout> pads) {
      CallAfter([this, pads = std::move(pads), padsSimulated, generation, name]() mutable {
        padsPanel_->ShowPads(std::move(pads), padsSimulated, generation, name);
      });
    });
    return host;
  };
  if (std::optional<StartRefusal> refusal = session_.Start(path, makeHost)) {
    Refuse(RefusalText(*refusal));
  } else {
    SayExecutionStarted();
  }
  GiveTextTheKeyboard();
}

void MainFrame::OnStop(wxCommandEvent& /*event*/) {
  const bool running = session_.Running();
  StopExecution();
  if (running && !session_.Running()) {
    ShowPaneText(kMessagePane, wxString::Format(kExecutionStoppedByUser, executedName_));
  }
  GiveTextTheKeyboard();
}

void MainFrame::GiveTextTheKeyboard() {
  // A wait takes the user's input away from every window, and a box shown meanwhile takes the
  // focus; without this, what the user types next would go nowhere.
  ZarvelView* view = CurrentView();
  if (view != nullptr && !IsBeingDeleted()) {
    view->Text()->SetFocus();
  }
}

void MainFrame::StopExecution() {
  if (waiting_) {
    return;
  }
  if (!session_.Running()) {
    session_.Stop();  // Only joins the thread of an execution that has ended by itself.
    return;
  }
  InputPause pause;
  waiting_ = true;
  session_.Stop();
  waiting_ = false;
}

void MainFrame::ReleaseEndedExecution(uint64_t generation) {
  // An execution started since has let go of this one as it started; a Stop under way lets go
  // of it itself.
  if (generation != session_.Run().generation || waiting_) {
    return;
  }
  if (session_.Running()) {
    // Told just before the execution thread's last act: look again once it is done.
    CallAfter([this, generation] { ReleaseEndedExecution(generation); });
    return;
  }
  session_.WaitUntilEnded();
  ShowPaneText(kExecutionPane, kInactive);
}

void MainFrame::OnCloseWindow(wxCloseEvent& event) {
  if (event.CanVeto() && !GetDocumentManager()->CloseDocuments(false)) {
    event.Veto();
    GiveTextTheKeyboard();
    return;
  }
  StopExecution();
  if (session_.Running() && event.CanVeto()) {
    // A wait further up the stack is still under way; the window stays until it is over.
    event.Veto();
    GiveTextTheKeyboard();
    return;
  }
  // The window closes: its size and place are kept for the next start.
  if (wxConfigBase* config = wxConfigBase::Get(false)) {
    SaveGeometry(WindowGeometry(*config, kMainWindowGroup));
    SavePaneSizes();
  }
  event.Skip();
}

void MainFrame::HoldByHand(int32_t pad, SimButtonBits held) {
  // The host, and the simulated PC with it, stays until the next execution starts, which only
  // this thread does.
  if (session_.Running()) {
    if (SessionHost* host = session_.Host()) {
      host->Hardware().Machine().HoldByHand(pad, held);
    }
  }
}

void MainFrame::OnCharHook(wxKeyEvent& event) {
  if (!padsPanel_->Assigning() || !padsPanel_->Chosen()) {
    event.Skip();
    return;
  }
  // A key pressed with Ctrl or Alt is a command, not the key for the button; the Ctrl and Alt
  // keys themselves may be assigned.
  const int key = event.GetKeyCode();
  const bool modifierKey = key == WXK_CONTROL || key == WXK_ALT || key == WXK_SHIFT ||
                           key == WXK_WINDOWS_LEFT || key == WXK_WINDOWS_RIGHT ||
                           key == WXK_WINDOWS_MENU;
  if (!modifierKey && (event.GetModifiers() & (wxMOD_CONTROL | wxMOD_ALT)) != 0) {
    event.Skip();
    return;
  }
  // The desktop's own number of the key: on Linux the input layer's key code, 8 higher. It
  // names the key where it sits, whatever the keyboard layout prints on it.
  const uint32_t keyNumber = event.GetRawKeyFlags();
  if (keyNumber < kDesktopKeyOffset || keyNumber - kDesktopKeyOffset > UINT16_MAX) {
    event.Skip();
    return;
  }
  AssignKey(static_cast<uint16_t>(keyNumber - kDesktopKeyOffset));
}

void MainFrame::AssignKey(uint16_t linuxCode) {
  const ChosenButton chosen = *padsPanel_->Chosen();
  const PadLayout& pad = padsPanel_->PadOf(chosen);
  const std::string& button = pad.buttonNames[static_cast<size_t>(chosen.button)];
  const auto refuse = [this](const std::string& text) {
    padsPanel_->EndChoice(TextFromBytes(text));
    ShowPaneText(kMessagePane, TextFromBytes(text));
  };
  ZarvelView* view = CurrentView();
  const std::optional<std::string> text =
      view != nullptr ? BytesFromText(view->Text()->GetText()) : std::nullopt;
  if (!text) {
    refuse(kAssignNoDocument);
    return;
  }
  // The key names come from the home directory's keys.cfg, which an Assign made before any
  // execution or check finds only once the home directory has been made, as they would make it.
  if (!session_.HomeDir().empty()) {
    const SeedResult seeded = SeedHomeDirectory(session_.HomeDir());
    if (seeded.created) {
      ShowNotice(HomeCreatedNotice(session_.HomeDir()));
    }
  }
  const PressedKeyName key = NameOfPressedKeyInHome(session_.HomeDir(), linuxCode);
  if (!key.error.empty()) {
    refuse(key.error);
    return;
  }
  const ButtonAssignment assignment =
      AssignButtonKey(*text, pad.header, button, chosen.state, key.name);
  if (!assignment.edit) {
    refuse(assignment.error);
    return;
  }
  view->ReplaceBytes(*text, assignment.edit->start, assignment.edit->length,
                     assignment.edit->replacement);
  const std::string state = pad.ShiftStateText(chosen.state);
  wxString outcome = wxString::Format(kAssigned, button, pad.header, key.name, state);
  padsPanel_->EndChoice(outcome);
  RememberAssignment(*text, view, outcome);
  if (session_.Running() && RestartWithShownText()) {
    outcome += kRestartedWithAssignment;
  }
  ShowPaneText(kMessagePane, outcome);
}

void MainFrame::ShowNotice(const std::string& notice) {
  // A notice starts in lowercase, as the runner prints it after its name; a status bar line
  // starts with a capital.
  wxString text = TextFromBytes(notice);
  if (!text.empty()) {
    text[0] = wxToupper(text[0]);
  }
  // Notices come from the execution thread as well, and only the GUI thread may touch the
  // status bar; events queued for the frame go with it.
  CallAfter([this, text] { SetStatusText(text, kMessagePane); });
}

void MainFrame::Refuse(const wxString& text) {
  prompts_.ShowMessage(this, text, kBadThingCaption, kRefusalStyle);
}

wxString MainFrame::RefusalText(const StartRefusal& refusal) const {
  switch (refusal.reason) {
    case StartRefusal::Reason::kNoHomeDirectory:
      return kNoHomeDirectory;
    case StartRefusal::Reason::kHomeNotCreated:
      return wxString::Format(kHomeNotCreated, TextFromBytes(session_.HomeDir()),
                              TextFromBytes(refusal.detail));
    case StartRefusal::Reason::kHardware: {
      // The back end's message whole, with what to do about it, begun as a sentence.
      wxString text = TextFromBytes(refusal.detail);
      if (!text.empty()) {
        text[0] = wxToupper(text[0]);
        if (!wxString(".?!").Contains(text.Last())) {
          text += '.';
        }
      }
      return text + "\n\n" + kChooseOtherHardware;
    }
    case StartRefusal::Reason::kNoThread:
      break;
  }
  return kThreadNotStarted;
}

void MainFrame::OnToggleToolBar(wxCommandEvent& /*event*/) {
  if (wxToolBar* bar = GetToolBar()) {
    bar->Show(!bar->IsShown());
    SendSizeEvent();
  }
}

void MainFrame::OnToggleStatusBar(wxCommandEvent& /*event*/) {
  if (wxStatusBar* bar = GetStatusBar()) {
    bar->Show(!bar->IsShown());
    SendSizeEvent();
  }
}

void MainFrame::OnUpdateToggleToolBar(wxUpdateUIEvent& event) {
  event.Check(GetToolBar() != nullptr && GetToolBar()->IsShown());
}

void MainFrame::OnUpdateToggleStatusBar(wxUpdateUIEvent& event) {
  event.Check(GetStatusBar() != nullptr && GetStatusBar()->IsShown());
}

void MainFrame::OnTogglePads(wxCommandEvent& /*event*/) {
  ShowPadsPanel(!padsPanel_->IsShown());
  if (!padsPanel_->IsShown()) {
    padsPanel_->SetAssigning(false);
  }
}

void MainFrame::OnUpdateTogglePads(wxUpdateUIEvent& event) {
  event.Check(padsPanel_->IsShown());
}

void MainFrame::OnAssign(wxCommandEvent& /*event*/) {
  const bool assigning = !padsPanel_->Assigning();
  if (assigning && !padsPanel_->IsShown()) {
    ShowPadsPanel(true);
  }
  padsPanel_->SetAssigning(assigning);
}

void MainFrame::OnUpdateAssign(wxUpdateUIEvent& event) {
  event.Enable(padsPanel_->PadCount() > 0);
  event.Check(padsPanel_->Assigning());
}

void MainFrame::SayExecutionStarted() {
  ZarvelView* view = CurrentView();
  executedName_ = view != nullptr ? view->GetDocument()->GetUserReadableName() : wxString();
  ShowPaneText(kMessagePane, wxString::Format(kExecuting, executedName_));
}

bool MainFrame::RestartWithShownText() {
  // Nothing handled during a wait for the end of an execution starts another one.
  if (waiting_) {
    return false;
  }
  ZarvelView* view = CurrentView();
  const std::optional<std::string> bytes =
      view != nullptr ? BytesFromText(view->Text()->GetText()) : std::nullopt;
  if (!bytes) {
    return false;
  }
  // As Check does, the text as shown is run from a copy of its own; the file on the disk
  // changes only when the user saves. The copy the running execution was started from goes
  // once that execution has been stopped, which starting the next one does first.
  auto copy = std::make_unique<TempCopy>(*bytes);
  if (copy->Path().empty()) {
    Refuse(wxString::Format(kCannotRestartCopy, TextFromBytes(copy->Error())));
    return false;
  }
  const std::unique_ptr<TempCopy> previous = std::move(shownCopy_);
  shownCopy_ = std::move(copy);
  StartExecution(shownCopy_->Path());
  return session_.Running();
}

void MainFrame::FollowText(wxWindow* text) {
  // A new document begins with nothing said about it, and nothing of the last one's to undo.
  lastAssignment_.reset();
  ShowPaneText(kMessagePane, kIdleStatus);
  if (auto* styled = dynamic_cast<wxStyledTextCtrl*>(text)) {
    styled->Bind(wxEVT_STC_MODIFIED, &MainFrame::OnTextModified, this);
  }
}

void MainFrame::RememberAssignment(const std::string& before, ZarvelView* view,
                                   const wxString& message) {
  std::optional<std::string> after = BytesFromText(view->Text()->GetText());
  if (!after) {
    lastAssignment_.reset();
    return;
  }
  lastAssignment_ = LastAssignment{before, std::move(*after), message};
}

void MainFrame::OnTextModified(wxStyledTextEvent& event) {
  event.Skip();
  // The problems listed keep to the lines their marks are on as lines come and go above them.
  if (event.GetLinesAdded() != 0 && problems_->IsShown()) {
    if (ZarvelView* view = CurrentView()) {
      problems_->FollowDocumentLines(view->MarkedLines());
    }
  }
  const int type = event.GetModificationType();
  const bool undoOrRedo = (type & (wxSTC_PERFORMED_UNDO | wxSTC_PERFORMED_REDO)) != 0;
  if (lastAssignment_ && undoOrRedo && (type & wxSTC_LASTSTEPINUNDOREDO) != 0) {
    // The text is changing still; what follows from it is done once the change is over.
    CallAfter([this] { FollowUndoOfAssignment(); });
  }
}

void MainFrame::FollowUndoOfAssignment() {
  ZarvelView* view = CurrentView();
  const std::optional<std::string> text =
      view != nullptr ? BytesFromText(view->Text()->GetText()) : std::nullopt;
  if (!lastAssignment_ || !text) {
    return;
  }
  // Undo back to the text before the last assignment takes its message back; Redo of it
  // says it again. A running execution goes on with the text as it now is.
  const bool undone = *text == lastAssignment_->before;
  if (!undone && *text != lastAssignment_->after) {
    return;
  }
  const wxString message = undone ? wxString() : lastAssignment_->message;
  if (!padsPanel_->Chosen()) {
    padsPanel_->EndChoice(message);
  }
  wxString status = undone ? wxString::Format(kAssignmentUndone, lastAssignment_->message)
                           : lastAssignment_->message;
  if (session_.Running() && RestartWithShownText()) {
    status += kRestartedWithAssignment;
  }
  ShowPaneText(kMessagePane, status);
}

}  // namespace zarvel
