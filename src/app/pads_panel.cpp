#include "app/pads_panel.h"

#include <algorithm>
#include <array>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/scrolwin.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/tglbtn.h>

#include "app/editor_texts.h"
#include "app/key_log.h"
#include "app/pad_picture.h"
#include "platform/sim/pad_script.h"

namespace zarvel {
namespace {

// About thirty looks a second while the pads change: smooth to the eye, and within the
// screen's rate, since a look redraws only what changed. A look copies a word a pad and the
// bytes sent since the last one.
constexpr int kLookPeriodMs = 33;
// Once nothing has changed for about a second, two looks a second: idle pads cost the GUI thread
// next to nothing (every look wakes it, and each wake makes the framework's idle pass), and a
// press shows within half a second, then at the full rate. While Assign waits for a press on a
// pad, the full rate holds.
constexpr int kQuietLookPeriodMs = 500;
constexpr int kQuietLooks = 30;
// The bytes taken from the snapshot at one look; more wait for the next.
constexpr size_t kBytesPerLook = 256;
// The panel's width beside the text, in pixels at the usual density.
constexpr int kPanelWidth = 250;
// The hint above the pictures always takes this many lines, so the pictures never move.
constexpr int kHintLines = 3;

// The simulated pad's buttons for the buttons held on a picture, one bit per read position.
SimButtonBits SimButtonsOf(const PadLayout& layout, uint32_t held) {
  PadInput input;
  for (size_t i = 0; i < layout.buttonNames.size(); ++i) {
    const std::optional<SimButton> button = SimButtonNamed(layout.buttonNames[i]);
    if (button && (held >> i & 1u) != 0) {
      input.Hold(*button);
    }
  }
  return input.held;
}

// Whether two lists of pads are of the same sections and kinds, whatever their buttons type.
bool SamePads(const std::vector<PadPicture*>& pictures, const std::vector<PadLayout>& pads) {
  return pictures.size() == pads.size() &&
         std::equal(pads.begin(), pads.end(), pictures.begin(),
                    [](const PadLayout& pad, const PadPicture* picture) {
                      return pad.header == picture->Layout().header &&
                             pad.kind == picture->Layout().kind &&
                             pad.buttonNames == picture->Layout().buttonNames;
                    });
}

}  // namespace

PadsPanel::PadsPanel(wxWindow* parent, const TickSnapshot& snapshot, HoldByHand hold,
                     Running running)
    : wxPanel(parent, wxID_ANY),
      snapshot_(snapshot),
      hold_(std::move(hold)),
      running_(std::move(running)),
      timer_(this) {
  SetName("pads panel");
  auto* title = new wxStaticText(this, wxID_ANY, kPadsTitle);
  title->SetFont(title->GetFont().Bold());
  assign_ = new wxToggleButton(this, wxID_ANY, kAssignLabel);
  assign_->SetToolTip(kAssignTooltip);
  assign_->Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent&) { SetAssigning(assign_->GetValue()); });
  assign_->Disable();
  auto* top = new wxBoxSizer(wxHORIZONTAL);
  top->Add(title, wxSizerFlags(1).CentreVertical());
  top->Add(assign_, wxSizerFlags().CentreVertical());

  cancel_ =
      new wxButton(this, wxID_ANY, kCancelLabel, wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
  cancel_->SetToolTip(kCancelTooltip);
  cancel_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { CancelChoice(); });
  EnableCancel(false);
  state_ = new wxChoice(this, wxID_ANY);
  state_->SetToolTip(kAssignStateTooltip);
  state_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { SetAssignState(AssignState()); });
  auto* assignRow = new wxBoxSizer(wxHORIZONTAL);
  assignRow->Add(state_, wxSizerFlags(1).CentreVertical());
  assignRow->Add(cancel_, wxSizerFlags().CentreVertical().Border(wxLEFT, FromDIP(4)));

  source_ = new wxStaticText(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                             wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_MIDDLE);
  hint_ = new wxStaticText(this, wxID_ANY, kNoPadsYet);
  // The hint keeps its height whatever it says; a longer text than fits is cut, not the
  // pictures moved.
  hint_->SetMinSize(wxSize(-1, kHintLines * hint_->GetCharHeight()));
  hint_->SetMaxSize(wxSize(-1, kHintLines * hint_->GetCharHeight()));
  padArea_ = new wxScrolledWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxVSCROLL);
  padArea_->SetScrollRate(0, FromDIP(10));
  padArea_->SetSizer(new wxBoxSizer(wxVERTICAL));
  auto* keysTitle = new wxStaticText(this, wxID_ANY, kKeysTitle);
  keysTitle->SetFont(keysTitle->GetFont().Bold());
  auto* clear =
      new wxButton(this, wxID_ANY, kClearLabel, wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
  clear->SetToolTip(kClearTooltip);
  clear->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { log_->ClearLines(); });
  auto* keysRow = new wxBoxSizer(wxHORIZONTAL);
  keysRow->Add(keysTitle, wxSizerFlags(1).CentreVertical());
  keysRow->Add(clear, wxSizerFlags().CentreVertical());
  log_ = new KeyLog(
      this, [this](const std::string& key, bool pressed) { return SourceOf(key, pressed); });

  auto* column = new wxBoxSizer(wxVERTICAL);
  const wxSizerFlags edge = wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT | wxTOP, FromDIP(4));
  column->Add(top, edge);
  column->Add(assignRow, edge);
  column->Add(source_, edge);
  column->Add(hint_, edge);
  column->Add(padArea_, wxSizerFlags(3).Expand().Border(wxALL, FromDIP(2)));
  column->Add(keysRow, edge);
  column->Add(log_, wxSizerFlags(2).Expand().Border(wxALL, FromDIP(4)));
  SetSizer(column);
  SetMinSize(FromDIP(wxSize(kPanelWidth, -1)));
  FillStates();
  SetHint(kNoPadsYet);

  Bind(wxEVT_TIMER, &PadsPanel::OnTimer, this);
}

void PadsPanel::MakePictures(std::vector<PadLayout> pads, bool pressable) {
  // What was held on the pictures before is let go with them.
  for (PadPicture* picture : pictures_) {
    picture->SetPressable(false);
  }
  padArea_->GetSizer()->Clear(true);
  pictures_.clear();
  chosen_.reset();
  for (size_t i = 0; i < pads.size(); ++i) {
    const auto pad = static_cast<int32_t>(i + 1);
    auto* picture = new PadPicture(
        padArea_, std::move(pads[i]),
        [this, pad](uint32_t held) {
          Hurry();
          if (hold_) {
            hold_(pad, SimButtonsOf(pictures_[static_cast<size_t>(pad - 1)]->Layout(), held));
          }
        },
        [this, i](int button) { Choose(static_cast<int>(i), button); });
    picture->SetPressable(pressable);
    picture->SetChoosing(Assigning());
    picture->ShowState(AssignState());
    padArea_->GetSizer()->Add(picture, wxSizerFlags().Expand().Border(wxBOTTOM, FromDIP(4)));
    pictures_.push_back(picture);
  }
  padArea_->FitInside();
  padArea_->Layout();
  assign_->Enable(!pictures_.empty());
  EnableCancel(false);
  if (pictures_.empty() && Assigning()) {
    SetAssigning(false);
  }
  FillStates();
}

void PadsPanel::ShowPads(std::vector<PadLayout> pads, bool pressable, uint64_t generation,
                         const wxString& file) {
  execution_ = true;
  generation_ = generation;
  lastTick_ = 0;
  MakePictures(std::move(pads), pressable);
  source_->SetLabel(file.empty() ? wxString() : wxString::Format(kPadsOfExecution, file));
  log_->AddLine(wxString::Format(kPadsExecuted, PadCount(), PadCount() == 1 ? "" : "s"));
  if (!Assigning()) {
    SetHint(pressable ? kPadsHint : kRealPadsHint);
  } else {
    SayWhatAssignWants();
  }
  Look();
  quietLooks_ = 0;
  timer_.Start(kLookPeriodMs);
}

void PadsPanel::ShowDocumentPads(std::vector<PadLayout> pads, const wxString& file) {
  const wxString source = wxString::Format(kPadsOfDocument, file);
  if (!execution_ && source == source_->GetLabel() && SamePads(pictures_, pads)) {
    // The same pads, their buttons perhaps typing other keys now.
    for (size_t i = 0; i < pads.size(); ++i) {
      pictures_[i]->SetLayout(std::move(pads[i]));
    }
    return;
  }
  timer_.Stop();
  execution_ = false;
  MakePictures(std::move(pads), false);
  source_->SetLabel(source);
  if (Assigning()) {
    SayWhatAssignWants();
  } else {
    SetHint(pictures_.empty() ? kNoPadsYet : kDocumentPadsHint);
  }
}

bool PadsPanel::Look() {
  bool changed = false;
  const PadsAtTick read = snapshot_.ReadPads();
  // The pads of the execution before are not this one's, however alike.
  if (execution_ && read.generation == generation_ && read.tick > 0 &&
      read.padCount == PadCount()) {
    for (int pad = 0; pad < PadCount(); ++pad) {
      const PadReading& reading = read.pads[static_cast<size_t>(pad)];
      PadPicture& picture = Picture(pad);
      // With Assign on and no button chosen, a button that goes down on the pad itself chooses
      // it: one held since before the first reading of this execution does not, and buttons
      // the mouse holds were chosen by the mouse, or not at all.
      const uint32_t pressedNow =
          reading.pressed & ~picture.Reading().pressed & ~picture.HeldByHand();
      changed = changed || reading != picture.Reading();
      picture.ShowReading(reading);
      if (Assigning() && !chosen_ && pressedNow != 0 && lastTick_ > 0 && read.tick != lastTick_) {
        for (int button = 0; button < 32; ++button) {
          if ((pressedNow >> button & 1u) != 0) {
            Choose(pad, button);
            break;
          }
        }
      }
    }
    lastTick_ = read.tick;
  }
  std::array<uint8_t, kBytesPerLook> bytes{};
  uint64_t lost = 0;
  const size_t copied = snapshot_.ReadBytes(nextByte_, bytes, lost);
  if (lost > 0) {
    log_->AddLost(lost);
  }
  for (size_t i = 0; i < copied; ++i) {
    log_->AddByte(bytes[i]);
  }
  return changed || copied > 0 || lost > 0;
}

void PadsPanel::Hurry() {
  quietLooks_ = 0;
  if (timer_.IsRunning() && timer_.GetInterval() != kLookPeriodMs) {
    timer_.Start(kLookPeriodMs);
  }
}

void PadsPanel::OnTimer(wxTimerEvent& /*event*/) {
  if (Look()) {
    Hurry();
  } else if (++quietLooks_ >= kQuietLooks && !(Assigning() && !chosen_) &&
             timer_.GetInterval() != kQuietLookPeriodMs) {
    timer_.Start(kQuietLookPeriodMs);
  }
  if (running_ && !running_() && snapshot_.BytesPublished() == nextByte_) {
    // The execution has ended and its last keys are shown: nothing more will change, and
    // nothing stays lit or held.
    timer_.Stop();
    for (PadPicture* picture : pictures_) {
      picture->SetPressable(false);
      picture->ShowReading(PadReading{});
    }
    if (!Assigning()) {
      SetHint(kExecutionEndedHint);
    }
  }
}

bool PadsPanel::Assigning() const {
  return assign_->GetValue();
}

void PadsPanel::SetAssigning(bool assigning) {
  assigning = assigning && !pictures_.empty();
  assign_->SetValue(assigning);
  chosen_.reset();
  EnableCancel(false);
  for (PadPicture* picture : pictures_) {
    picture->SetChoosing(assigning);
    picture->MarkChosen(-1);
  }
  if (assigning) {
    Hurry();
    SayWhatAssignWants();
  } else if (pictures_.empty()) {
    SetHint(kNoPadsYet);
  } else {
    SetHint(!execution_ ? kDocumentPadsHint : timer_.IsRunning() ? kPadsHint : kExecutionEndedHint);
  }
}

void PadsPanel::Choose(int pad, int button) {
  if (!Assigning() || pad < 0 || pad >= PadCount() || button < 0 ||
      static_cast<size_t>(button) >= Picture(pad).Layout().buttonNames.size()) {
    return;
  }
  if (chosen_ && chosen_->pad == pad && chosen_->button == button) {
    // A second click on the chosen button lets it go.
    CancelChoice();
    return;
  }
  for (PadPicture* picture : pictures_) {
    picture->MarkChosen(-1);
  }
  const int state = AssignState() >= 0 ? AssignState() : Picture(pad).Reading().shift;
  chosen_ = ChosenButton{.pad = pad, .button = button, .state = state};
  Picture(pad).MarkChosen(button);
  EnableCancel(true);
  SayWhatAssignWants();
}

void PadsPanel::CancelChoice() {
  if (chosen_) {
    Picture(chosen_->pad).MarkChosen(-1);
  }
  chosen_.reset();
  EnableCancel(false);
  if (Assigning()) {
    SayWhatAssignWants();
  }
}

int PadsPanel::AssignState() const {
  const int selection = state_->GetSelection();
  return selection <= 0 ? -1 : selection - 1;
}

void PadsPanel::SetAssignState(int state) {
  state_->SetSelection(std::clamp(state + 1, 0, static_cast<int>(state_->GetCount()) - 1));
  for (PadPicture* picture : pictures_) {
    picture->ShowState(AssignState());
  }
  if (chosen_) {
    chosen_->state = AssignState() >= 0 ? AssignState() : Picture(chosen_->pad).Reading().shift;
    SayWhatAssignWants();
  }
}

void PadsPanel::FillStates() {
  // Every state any pad shown has, and the one a pad is in.
  size_t states = 0;
  for (const PadPicture* picture : pictures_) {
    states = std::max(states, picture->Layout().shiftButtons.size());
  }
  const int kept = AssignState();
  state_->Clear();
  state_->Append(kStateAsRead);
  for (size_t state = 0; state <= states; ++state) {
    state_->Append(wxString::Format(kStateItem, static_cast<int>(state)));
  }
  state_->SetSelection(kept >= 0 && static_cast<size_t>(kept) <= states ? kept + 1 : 0);
  state_->Enable(states > 0);
  for (PadPicture* picture : pictures_) {
    picture->ShowState(AssignState());
  }
}

void PadsPanel::EnableCancel(bool enable) {
  // A button greyed with the keyboard on it would leave the keyboard nowhere, and the key for
  // the next button chosen would be lost.
  if (!enable && cancel_->HasFocus()) {
    assign_->SetFocus();
  }
  cancel_->Enable(enable);
}

const PadLayout& PadsPanel::PadOf(const ChosenButton& chosen) const {
  return Picture(chosen.pad).Layout();
}

void PadsPanel::EndChoice(const wxString& outcome) {
  if (chosen_) {
    Picture(chosen_->pad).MarkChosen(-1);
  }
  chosen_.reset();
  EnableCancel(false);
  SetHint(outcome);
}

wxString PadsPanel::Hint() const {
  return hint_->GetLabel();
}

wxString PadsPanel::Source() const {
  return source_->GetLabel();
}

int PadsPanel::PicturesTop() const {
  return padArea_->GetPosition().y;
}

void PadsPanel::SetHint(const wxString& text) {
  if (hint_->GetLabel() == text) {
    return;
  }
  hint_->SetLabel(text);
  hint_->Wrap(std::max(GetClientSize().GetWidth(), FromDIP(kPanelWidth)) - FromDIP(10));
  Layout();
}

void PadsPanel::SayWhatAssignWants() {
  if (!chosen_) {
    SetHint(pictures_.empty() ? kNoPadsYet : kChooseButtonHint);
  } else {
    const PadLayout& layout = PadOf(*chosen_);
    SetHint(wxString::Format(kPressKeyHint,
                             layout.buttonNames[static_cast<size_t>(chosen_->button)],
                             layout.header, layout.ShiftStateText(chosen_->state)));
  }
}

wxString PadsPanel::SourceOf(const std::string& key, bool pressed) const {
  // The button that types the key in its pad's state; of several, one that reads as the key
  // went (down for a press, up for a release).
  wxString found;
  bool foundMatches = false;
  for (const PadPicture* picture : pictures_) {
    const PadLayout& layout = picture->Layout();
    const PadReading& reading = picture->Reading();
    for (int button = 0; button < static_cast<int>(layout.buttonNames.size()); ++button) {
      if (!layout.Types(button, reading.shift, key)) {
        continue;
      }
      const bool matches = reading.Pressed(button) == pressed;
      if (found.empty() || (matches && !foundMatches)) {
        found = wxString::Format(kButtonOf, layout.buttonNames[static_cast<size_t>(button)],
                                 layout.header);
        foundMatches = matches;
      }
    }
  }
  return found;
}

}  // namespace zarvel
