#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <wx/panel.h>
#include <wx/timer.h>

#include "engine/pad_layout.h"
#include "engine/tick_snapshot.h"
#include "platform/sim/pad_script.h"

class wxButton;
class wxChoice;
class wxScrolledWindow;
class wxStaticText;
class wxToggleButton;

namespace zarvel {

class KeyLog;
class PadPicture;

// A pad button chosen for Assign: the pad (from 0, in discovery order), the button (its index
// in the pad's read order) and the shift state its key is for.
struct ChosenButton {
  int pad = 0;
  int button = 0;
  int state = 0;
};

// The Pads panel beside the text: a picture of every pad of the document shown, read from its
// text, or of the execution running, lit as the ticks read them, with the file they are of
// named above them; below them the log of the keys the execution sent. While an execution
// runs it reads the execution's snapshot about thirty times a second, and a few times a second
// once nothing has changed for a while. It is also where Assign begins: with Assign on, a click
// on a button (or Space on the button with the focus) or a press on a pad chooses the button
// whose key the next key pressed on the PC's keyboard becomes; a second click lets it go.
class PadsPanel : public wxPanel {
 public:
  // Holds buttons of a simulated pad (numbered from 1) down, one bit per SimButton.
  using HoldByHand = std::function<void(int32_t pad, SimButtonBits held)>;
  // Whether the execution shown still runs.
  using Running = std::function<bool()>;

  PadsPanel(wxWindow* parent, const TickSnapshot& snapshot, HoldByHand hold, Running running);

  // The pads of the execution numbered `generation` of the file `file`, which has set them up;
  // the mouse may press them when `pressable`. Only the snapshot's pads of that execution are
  // shown from now on.
  void ShowPads(std::vector<PadLayout> pads, bool pressable, uint64_t generation,
                const wxString& file = wxString());
  // The pads the document `file` asks for, as its text gives them, while no execution runs.
  // Pads of the same sections as those shown keep their pictures, and a button chosen for
  // Assign stays chosen.
  void ShowDocumentPads(std::vector<PadLayout> pads, const wxString& file);
  // Whether the pads shown are those of an execution (running or ended), not of a document.
  bool ShowsExecution() const { return execution_; }
  // Reads the snapshot now, as the timer does. Returns whether anything shown changed.
  bool Look();

  bool Assigning() const;
  void SetAssigning(bool assigning);
  const std::optional<ChosenButton>& Chosen() const { return chosen_; }
  // The pad's layout, for a chosen button's pad.
  const PadLayout& PadOf(const ChosenButton& chosen) const;
  // Forgets the chosen button, and says what became of it.
  void EndChoice(const wxString& outcome);
  // Lets the chosen button go without assigning anything: the panel's Cancel.
  void CancelChoice();
  // The shift state chosen for Assign in the panel; -1 for the state the pad is in.
  int AssignState() const;
  void SetAssignState(int state);

  int PadCount() const { return static_cast<int>(pictures_.size()); }
  PadPicture& Picture(int pad) const { return *pictures_[static_cast<size_t>(pad)]; }
  KeyLog& Log() const { return *log_; }
  // The text above the pictures: what to do, or what Assign did.
  wxString Hint() const;
  // The line that names the file the pads are of.
  wxString Source() const;
  // Where the pictures begin, in the panel's coordinates.
  int PicturesTop() const;

 private:
  // Puts pictures of these pads in place of those shown.
  void MakePictures(std::vector<PadLayout> pads, bool pressable);
  void Choose(int pad, int button);
  void SayWhatAssignWants();
  void SetHint(const wxString& text);
  void EnableCancel(bool enable);
  void FillStates();
  // Looks at the snapshot often again, as something has changed or is about to.
  void Hurry();
  void OnTimer(wxTimerEvent& event);
  // Which button of the pads shown sends the key going down or up: "b of [snes 1]".
  wxString SourceOf(const std::string& key, bool pressed) const;

  const TickSnapshot& snapshot_;
  HoldByHand hold_;
  Running running_;
  wxToggleButton* assign_ = nullptr;
  wxButton* cancel_ = nullptr;
  wxChoice* state_ = nullptr;
  wxStaticText* source_ = nullptr;
  wxStaticText* hint_ = nullptr;
  wxScrolledWindow* padArea_ = nullptr;
  KeyLog* log_ = nullptr;
  std::vector<PadPicture*> pictures_;
  std::optional<ChosenButton> chosen_;
  wxTimer timer_;
  bool execution_ = false;
  int quietLooks_ = 0;       // Looks in a row that changed nothing.
  uint64_t nextByte_ = 0;    // The first byte of the snapshot the log has not shown.
  uint64_t generation_ = 0;  // The execution whose pads are shown.
  int64_t lastTick_ = 0;     // The tick of the last reading of this execution's pads; 0 before one.
};

}  // namespace zarvel
