#include "app/pads_panel.h"

#include <algorithm>
#include <array>

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

// About thirty looks a second: smooth to the eye, and little work for the GUI thread, since a
// look copies a word a pad and the bytes sent since the last one, and redraws only what changed.
constexpr int kLookPeriodMs = 33;
// The bytes taken from the snapshot at one look; more wait for the next.
constexpr size_t kBytesPerLook = 256;
// The panel's width beside the text, in pixels at the usual density.
constexpr int kPanelWidth = 250;

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
  auto* top = new wxBoxSizer(wxHORIZONTAL);
  top->Add(title, wxSizerFlags(1).CentreVertical());
  top->Add(assign_, wxSizerFlags().CentreVertical());

  hint_ = new wxStaticText(this, wxID_ANY, kNoPadsYet);
  padArea_ = new wxScrolledWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxVSCROLL);
  padArea_->SetScrollRate(0, FromDIP(10));
  padArea_->SetSizer(new wxBoxSizer(wxVERTICAL));
  auto* keysTitle = new wxStaticText(this, wxID_ANY, kKeysTitle);
  keysTitle->SetFont(keysTitle->GetFont().Bold());
  log_ = new KeyLog(this);

  auto* column = new wxBoxSizer(wxVERTICAL);
  const wxSizerFlags edge = wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT | wxTOP, FromDIP(4));
  column->Add(top, edge);
  column->Add(hint_, edge);
  column->Add(padArea_, wxSizerFlags(3).Expand().Border(wxALL, FromDIP(2)));
  column->Add(keysTitle, edge);
  column->Add(log_, wxSizerFlags(2).Expand().Border(wxALL, FromDIP(4)));
  SetSizer(column);
  SetMinSize(FromDIP(wxSize(kPanelWidth, -1)));
  hint_->Wrap(FromDIP(kPanelWidth - 10));

  Bind(wxEVT_TIMER, &PadsPanel::OnTimer, this);
}

void PadsPanel::ShowPads(std::vector<PadLayout> pads, bool pressable, uint64_t generation) {
  // What was held on the pictures of the last execution is let go with them.
  for (PadPicture* picture : pictures_) {
    picture->SetPressable(false);
  }
  padArea_->GetSizer()->Clear(true);
  pictures_.clear();
  chosen_.reset();
  generation_ = generation;
  lastTick_ = 0;
  for (size_t i = 0; i < pads.size(); ++i) {
    const auto pad = static_cast<int32_t>(i + 1);
    auto* picture = new PadPicture(
        padArea_, std::move(pads[i]),
        [this, pad](uint32_t held) {
          if (hold_) {
            hold_(pad, SimButtonsOf(pictures_[static_cast<size_t>(pad - 1)]->Layout(), held));
          }
        },
        [this, i](int button) { Choose(static_cast<int>(i), button); });
    picture->SetPressable(pressable);
    picture->SetChoosing(Assigning());
    padArea_->GetSizer()->Add(picture, wxSizerFlags().Expand().Border(wxBOTTOM, FromDIP(4)));
    pictures_.push_back(picture);
  }
  padArea_->FitInside();
  padArea_->Layout();
  log_->AddLine(wxString::Format(kPadsExecuted, PadCount(), PadCount() == 1 ? "" : "s"));
  if (!Assigning()) {
    hint_->SetLabel(pressable ? kPadsHint : kRealPadsHint);
    WrapHint();
  } else {
    SayWhatAssignWants();
  }
  Look();
  timer_.Start(kLookPeriodMs);
}

void PadsPanel::Look() {
  const PadsAtTick read = snapshot_.ReadPads();
  // The pads of the execution before are not this one's, however alike.
  if (read.generation == generation_ && read.tick > 0 && read.padCount == PadCount()) {
    for (int pad = 0; pad < PadCount(); ++pad) {
      const PadReading& reading = read.pads[static_cast<size_t>(pad)];
      PadPicture& picture = Picture(pad);
      // With Assign on and no button chosen, a button that goes down on the pad itself chooses
      // it: one held since before the first reading of this execution does not, and buttons
      // the mouse holds were chosen by the mouse, or not at all.
      const uint32_t pressedNow =
          reading.pressed & ~picture.Reading().pressed & ~picture.HeldByHand();
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
}

void PadsPanel::OnTimer(wxTimerEvent& /*event*/) {
  Look();
  if (running_ && !running_() && snapshot_.BytesPublished() == nextByte_) {
    // The execution has ended and its last keys are shown: nothing more will change.
    timer_.Stop();
    for (PadPicture* picture : pictures_) {
      picture->SetPressable(false);
    }
    if (!Assigning()) {
      hint_->SetLabel(kExecutionEndedHint);
      WrapHint();
    }
  }
}

bool PadsPanel::Assigning() const {
  return assign_->GetValue();
}

void PadsPanel::SetAssigning(bool assigning) {
  assign_->SetValue(assigning);
  chosen_.reset();
  for (PadPicture* picture : pictures_) {
    picture->SetChoosing(assigning);
    picture->MarkChosen(-1);
  }
  if (assigning) {
    SayWhatAssignWants();
  } else {
    hint_->SetLabel(pictures_.empty() ? kNoPadsYet : kPadsHint);
    WrapHint();
  }
}

void PadsPanel::Choose(int pad, int button) {
  if (!Assigning() || pad < 0 || pad >= PadCount() || button < 0 ||
      static_cast<size_t>(button) >= Picture(pad).Layout().buttonNames.size()) {
    return;
  }
  for (PadPicture* picture : pictures_) {
    picture->MarkChosen(-1);
  }
  chosen_ = ChosenButton{.pad = pad, .button = button, .state = Picture(pad).Reading().shift};
  Picture(pad).MarkChosen(button);
  SayWhatAssignWants();
}

const PadLayout& PadsPanel::PadOf(const ChosenButton& chosen) const {
  return Picture(chosen.pad).Layout();
}

void PadsPanel::EndChoice(const wxString& outcome) {
  if (chosen_) {
    Picture(chosen_->pad).MarkChosen(-1);
  }
  chosen_.reset();
  hint_->SetLabel(outcome);
  WrapHint();
}

void PadsPanel::WrapHint() {
  hint_->Wrap(std::max(GetClientSize().GetWidth(), FromDIP(kPanelWidth)) - FromDIP(10));
  Layout();
}

void PadsPanel::SayWhatAssignWants() {
  if (!chosen_) {
    hint_->SetLabel(pictures_.empty() ? kNoPadsYet : kChooseButtonHint);
  } else {
    const PadLayout& layout = PadOf(*chosen_);
    hint_->SetLabel(wxString::Format(kPressKeyHint,
                                     layout.buttonNames[static_cast<size_t>(chosen_->button)],
                                     layout.header, layout.ShiftStateText(chosen_->state)));
  }
  WrapHint();
}

}  // namespace zarvel
