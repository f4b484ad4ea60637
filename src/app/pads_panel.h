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

class wxScrolledWindow;
class wxStaticText;
class wxToggleButton;

namespace zarvel {

class KeyLog;
class PadPicture;

// A pad button chosen for Assign: the pad (from 0, in discovery order), the button (its index
// in the pad's read order) and the shift state the pad was in.
struct ChosenButton {
  int pad = 0;
  int button = 0;
  int state = 0;
};

// The Pads panel beside the text: a picture of every pad of the execution, lit as the ticks read
// them, and below it the log of the keys the execution sent. It reads the execution's snapshot
// about thirty times a second while an execution runs. It is also where Assign begins: with
// Assign on, a click on a button or a press on a pad chooses the button whose key the next
// key pressed on the PC's keyboard becomes.
class PadsPanel : public wxPanel {
 public:
  // Holds buttons of a simulated pad (numbered from 1) down, one bit per SimButton.
  using HoldByHand = std::function<void(int32_t pad, SimButtonBits held)>;
  // Whether the execution shown still runs.
  using Running = std::function<bool()>;

  PadsPanel(wxWindow* parent, const TickSnapshot& snapshot, HoldByHand hold, Running running);

  // The pads of the execution numbered `generation`, which has set them up; the mouse may press
  // them when `pressable`. Only the snapshot's pads of that execution are shown from now on.
  void ShowPads(std::vector<PadLayout> pads, bool pressable, uint64_t generation);
  // Reads the snapshot now, as the timer does.
  void Look();

  bool Assigning() const;
  void SetAssigning(bool assigning);
  const std::optional<ChosenButton>& Chosen() const { return chosen_; }
  // The pad's layout, for a chosen button's pad.
  const PadLayout& PadOf(const ChosenButton& chosen) const;
  // Forgets the chosen button, and says what became of it.
  void EndChoice(const wxString& outcome);

  int PadCount() const { return static_cast<int>(pictures_.size()); }
  PadPicture& Picture(int pad) const { return *pictures_[static_cast<size_t>(pad)]; }
  KeyLog& Log() const { return *log_; }

 private:
  void Choose(int pad, int button);
  void SayWhatAssignWants();
  void WrapHint();
  void OnTimer(wxTimerEvent& event);

  const TickSnapshot& snapshot_;
  HoldByHand hold_;
  Running running_;
  wxToggleButton* assign_ = nullptr;
  wxStaticText* hint_ = nullptr;
  wxScrolledWindow* padArea_ = nullptr;
  KeyLog* log_ = nullptr;
  std::vector<PadPicture*> pictures_;
  std::optional<ChosenButton> chosen_;
  wxTimer timer_;
  uint64_t nextByte_ = 0;    // The first byte of the snapshot the log has not shown.
  uint64_t generation_ = 0;  // The execution whose pads are shown.
  int64_t lastTick_ = 0;     // The tick of the last reading of this execution's pads; 0 before one.
};

}  // namespace zarvel
