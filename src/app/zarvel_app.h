#pragma once

#include <memory>

#include <wx/app.h>
#include <wx/weakref.h>

#include "app/hardware_settings.h"
#include "app/main_frame.h"
#include "app/user_prompts.h"
#include "platform/hardware_choice.h"

class wxDocManager;

namespace zarvel {

// The application: start-up and shut-down of the editor, the About command, and the idle
// update of the status bar's execution indicator.
class ZarvelApp : public wxApp {
 public:
  ZarvelApp();
  ~ZarvelApp() override;

  bool OnInit() override;
  int OnExit() override;
  void OnInitCmdLine(wxCmdLineParser& parser) override;
  bool OnCmdLineParsed(wxCmdLineParser& parser) override;

  // Builds the editor: settings and recent files, the document manager with its one
  // template, the main frame, and the first document (the file given, else a new one).
  // Returns false when the file cannot be opened; the editor is then taken down again.
  bool Start(const wxString& fileToOpen);
  // Keeps the recent files and takes the editor down. The main frame must be gone already.
  void Finish();

  MainFrame* Frame() const { return frame_; }
  wxDocManager* Documents() const { return documents_.get(); }
  UserPrompts& Prompts() { return *prompts_; }
  void SetPrompts(std::unique_ptr<UserPrompts> prompts) { prompts_ = std::move(prompts); }
  // --parport and --keyboard as the command line gave them; they stand in for the hardware kept
  // in the settings from the next Start on, without being kept.
  void SetHardwareOptions(const HardwareOptions& options) { hardwareOptions_ = options; }
  // The system calls the next frame's executions reach the hardware through; the real ones
  // unless a test gives fakes.
  void SetSystemAccess(const SystemAccess& access) { access_ = access; }

  // Writes "Inactive" or "  Active" into the execution indicator from the run block, and the
  // keyboard's lock states into their panes.
  void UpdateIndicators();

  // Notes the key presses and activations after which the lock states are read again.
  int FilterEvent(wxEvent& event) override;

 private:
  void OnIdle(wxIdleEvent& event);
  void UpdateExecutionIndicator();
  void OnAppAbout(wxCommandEvent& event);

  std::unique_ptr<UserPrompts> prompts_;
  std::unique_ptr<wxDocManager> documents_;
  wxWeakRef<MainFrame> frame_;
  wxString fileToOpen_;
  HardwareOptions hardwareOptions_;
  SystemAccess access_;
  // Whether the executions' ticks ask for real-time priority: the command line's choice
  // (--no-realtime), so an editor started some other way (a test) does not ask.
  bool realtime_ = false;
  // Whether the keyboard's lock states may have changed since they were last read: a key went
  // down or up, or a window of the editor became active.
  bool locksStale_ = true;

  wxDECLARE_EVENT_TABLE();
};

}  // namespace zarvel

wxDECLARE_APP(zarvel::ZarvelApp);
