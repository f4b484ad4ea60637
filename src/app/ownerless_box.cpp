#include "app/ownerless_box.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

namespace zarvel {

namespace {
constexpr int kMargin = 12;
}  // namespace

OwnerlessBox::OwnerlessBox(const wxString& text, const wxString& caption,
                           std::function<void()> dismissed)
    : wxDialog(nullptr, wxID_ANY, caption, wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxDIALOG_NO_PARENT),
      dismissed_(std::move(dismissed)) {
  auto* message = new wxBoxSizer(wxHORIZONTAL);
  message->Add(
      new wxStaticBitmap(this, wxID_ANY, wxArtProvider::GetBitmap(wxART_ERROR, wxART_MESSAGE_BOX)),
      0, wxALL, kMargin);
  message->Add(new wxStaticText(this, wxID_ANY, text), 1, wxALL | wxALIGN_CENTER_VERTICAL, kMargin);

  auto* ok = new wxButton(this, wxID_OK);
  ok->SetDefault();
  auto* layout = new wxBoxSizer(wxVERTICAL);
  layout->Add(message, 1, wxEXPAND);
  layout->Add(ok, 0, wxALIGN_CENTER_HORIZONTAL | wxLEFT | wxRIGHT | wxBOTTOM, kMargin);
  SetSizerAndFit(layout);
  CentreOnScreen();

  // Escape and the window manager's close button answer the box as OK does.
  SetEscapeId(wxID_OK);
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { Dismiss(); }, wxID_OK);
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Dismiss(); });
}

OwnerlessBox::~OwnerlessBox() {
  // A box that goes with the program still releases whoever waits for it.
  TellDismissed();
}

void OwnerlessBox::Dismiss() {
  TellDismissed();
  Destroy();
}

void OwnerlessBox::TellDismissed() {
  if (dismissed_) {
    std::function<void()> dismissed = std::move(dismissed_);
    dismissed_ = nullptr;
    dismissed();
  }
}

}  // namespace zarvel
