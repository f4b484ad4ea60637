#pragma once

#include <memory>
#include <optional>
#include <string>

#include <wx/docview.h>
#include <wx/timer.h>

#include "check/configuration_check.h"
#include "engine/process_state.h"
#include "engine/run_block.h"
#include "engine/tick_snapshot.h"
#include "platform/hardware_choice.h"
#include "platform/hardware_factory.h"
#include "platform/sim/pad_script.h"
#include "session/execution_session.h"

class wxMenu;
class wxSplitterWindow;
class wxStyledTextEvent;
class wxWindow;

namespace zarvel {

class HardwareMenu;
class PadsPanel;
class ProblemList;
class TempCopy;
class UserPrompts;
class ZarvelView;

// The system calls through which a frame's executions reach the hardware: the real ones unless a
// test gives fakes, which must outlive the frame.
struct SystemAccess {
  SystemCalls* calls = nullptr;
  EvdevCalls* evdev = nullptr;
};

// The editor's top-level window: menus, tool bar, status bar with the execution indicator,
// and the execution session through which the GUI thread starts and stops executions. Execute
// makes sure the edited configuration is on disk and starts an execution of it; Stop ends the
// running execution and waits until it has ended and let go of its devices.
class MainFrame : public wxDocParentFrame {
 public:
  // The executions drive the hardware chosen (the simulated PC unless told otherwise).
  MainFrame(wxDocManager* manager, UserPrompts& prompts, const HardwareChoice& hardware = {},
            SystemAccess access = {});
  ~MainFrame() override;

  // Opens the files one after the other as the document, as Open would.
  void OpenFiles(const wxArrayString& files);
  // Puts a file drop target on the frame itself (the view puts one on its text).
  void AcceptDroppedFiles();

  // Where the view makes its text, and where the text then takes its place, above the list of
  // problems. A new text takes away the problems of the one before.
  wxWindow* DocumentArea() const { return textHolder_; }
  void PlaceText(wxWindow* text);

  // Writes a status-bar pane, only when its text changes, so idle passes cause no redraw.
  void ShowPaneText(int pane, const wxString& text);

  // Asks a running execution to stop and waits until it has ended. While it waits, pending
  // events are still handled, with the user's input taken away, so that the execution can
  // show its error box and the user can close it.
  void StopExecution();
  // Lets go of what the execution numbered `generation` still holds once it has ended by itself
  // (an error box closed), and shows it ended: the frame's handling of the end of an execution.
  void ReleaseEndedExecution(uint64_t generation);

  const RunBlock& Run() const { return session_.Run(); }
  // The home directory the executions read their settings files from (ending with "/"), or
  // nothing when none could be worked out.
  const std::string& HomeDir() const { return session_.HomeDir(); }
  wxMenu* FileMenu() const { return fileMenu_; }
  ProblemList& Problems() const { return *problems_; }
  PadsPanel& Pads() const { return *padsPanel_; }
  void SetThreadStarter(ExecutionSession::ThreadStarter starter) {
    session_.SetThreadStarter(std::move(starter));
  }
  // From the next Execute on, the ticks ask for real-time priority; ticks that run without
  // say so once in the status bar.
  void AskForRealtime() { session_.AskForRealtime(); }

 private:
  // The size the window opens at when no earlier size is kept.
  wxSize FirstSize() const;
  void BuildMenus();
  void BuildToolBar();
  void BuildStatusBar();
  // The document's area: the view's text above, the list of problems below it when there are
  // any to show, and the Pads panel beside both.
  void BuildDocumentArea();
  // The sizes of the Pads panel and of the list of problems beside their sashes: read from the
  // settings as the window is made, kept there when it closes.
  void RestorePaneSizes();
  void SavePaneSizes();
  // Notes the sizes the user dragged the panes to, while they are shown.
  void NotePaneSizes();
  void ShowPadsPanel(bool show);
  void ShowProblemList(bool show);
  // The list of problems can be closed, and shown again while it has problems to show.
  void OnToggleProblems(wxCommandEvent& event);
  // Shows the manual in the desktop's browser.
  void OnManual(wxCommandEvent& event);
  void OnUpdateToggleProblems(wxUpdateUIEvent& event);

  // The hardware the user chose in the Hardware menu: taken now while no execution runs, else
  // by the next Execute.
  void ChooseHardware();
  void UseChosenHardware();

  void OnExecute(wxCommandEvent& event);
  void OnStop(wxCommandEvent& event);
  void OnCheck(wxCommandEvent& event);
  void OnCloseWindow(wxCloseEvent& event);
  // Takes the key pressed for Assign, before the text sees it; every other key goes on.
  void OnCharHook(wxKeyEvent& event);
  // Writes the key pressed as the chosen button's key into its pad's section of the text.
  void AssignKey(uint16_t linuxCode);
  // Holds down buttons of a pad of the running execution's simulated PC.
  void HoldByHand(int32_t pad, SimButtonBits held);
  void OnToggleToolBar(wxCommandEvent& event);
  void OnToggleStatusBar(wxCommandEvent& event);
  void OnUpdateToggleToolBar(wxUpdateUIEvent& event);
  void OnUpdateToggleStatusBar(wxUpdateUIEvent& event);
  void OnTogglePads(wxCommandEvent& event);
  void OnUpdateTogglePads(wxUpdateUIEvent& event);
  void OnAssign(wxCommandEvent& event);
  void OnUpdateAssign(wxUpdateUIEvent& event);

  // Starts an execution of the file `path`, after the running one, if any, has stopped and let
  // go of its keys.
  void StartExecution(const std::string& path);
  // Says in the status bar which document now runs.
  void SayExecutionStarted();
  // Restarts the running execution on the text as the window shows it, saved or not; returns
  // whether an execution runs it.
  bool RestartWithShownText();
  // Follows the edits of a document's text, new in the window: the lines of the problems
  // listed, and the Undo and Redo of an assignment.
  void FollowText(wxWindow* text);
  void OnTextModified(wxStyledTextEvent& event);
  // Keeps the text before and after an assignment and its message, so that Undo can take the
  // message back.
  void RememberAssignment(const std::string& before, ZarvelView* view, const wxString& message);
  void FollowUndoOfAssignment();

  // A notice of the hardware (a doubtful wiring, a privilege that could not be given up), shown
  // in the status bar. It may be called on any thread.
  void ShowNotice(const std::string& notice);
  // Puts the keyboard focus back on the document's text, after a wait on an execution.
  void GiveTextTheKeyboard();
  // A refusal or failure of Execute, in a box owned by the frame.
  void Refuse(const wxString& text);
  // Why an execution did not start, in the editor's words.
  wxString RefusalText(const StartRefusal& refusal) const;

  // Lists `problems` below the text and marks the document's own in its margin; an empty list
  // takes both away. The problems of the file `checkedPath` are the document's.
  void ShowProblems(const std::vector<Problem>& problems, const std::string& checkedPath);
  // Marks the line of the document that an execution's "Bad Thing" names, if it names one.
  void ShowExecutionStop(const std::string& path, const std::string& message,
                         const SettingsPlace& place);
  // The view of the current document, when there is one with its text.
  ZarvelView* CurrentView() const;
  // Shows the pads of the current document, as its text now asks for them, in the Pads panel,
  // unless an execution's pads are there while it runs.
  void ShowDocumentPads();

  UserPrompts& prompts_;
  // The sash between the text with its problems and the Pads panel.
  wxWindow* documentArea_ = nullptr;
  // The sash between the text and the list of problems.
  wxSplitterWindow* textSplit_ = nullptr;
  wxWindow* textHolder_ = nullptr;
  wxSizer* textColumn_ = nullptr;
  int padsWidth_ = 0;
  int problemsHeight_ = 0;
  ProblemList* problems_ = nullptr;
  PadsPanel* padsPanel_ = nullptr;
  wxMenu* fileMenu_ = nullptr;
  // What makes each execution's hardware; it keeps the devices it opened for the frame's life,
  // and outlives every execution's host.
  LinuxSystemCalls systemCalls_;
  LibevdevCalls evdevCalls_;
  // The system calls in use: the real ones above, or a test's fakes.
  SystemCalls& calls_;
  HardwareFactory hardware_;
  std::unique_ptr<HardwareMenu> hardwareMenu_;
  // What executions keep from one to the next (the trace count, the [config] values).
  ProcessState state_;
  // What every execution shows the Pads panel of its ticks; it outlives the executions' hosts.
  TickSnapshot snapshot_;
  ExecutionSession session_;
  // The copy of the text shown that the running execution was restarted on by an Assign.
  std::unique_ptr<TempCopy> shownCopy_;
  // The name of the document the running execution was started from.
  wxString executedName_;
  struct LastAssignment {
    std::string before;
    std::string after;
    wxString message;
  };
  std::optional<LastAssignment> lastAssignment_;
  // Set while a wait for the end of an execution handles events, so that nothing handled
  // meanwhile starts or stops an execution from inside the wait.
  bool waiting_ = false;
  // Reads the document's pads again a moment after the text last changed.
  wxTimer documentPadsTimer_;

  wxDECLARE_EVENT_TABLE();
};

}  // namespace zarvel
