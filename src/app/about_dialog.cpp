#include "app/about_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "app/editor_art.h"
#include "app/editor_texts.h"

namespace zarvel {

namespace {
constexpr int kMargin = 10;
}  // namespace

AboutDialog::AboutDialog()
    : wxDialog(nullptr, wxID_ANY, kAboutCaption, wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxDIALOG_NO_PARENT) {
  auto* iconFrame = new wxStaticBoxSizer(wxVERTICAL, this);
  iconFrame->Add(new wxStaticBitmap(iconFrame->GetStaticBox(), wxID_ANY, AppBitmap()), 0, wxALL,
                 kMargin / 2);

  auto* lines = new wxBoxSizer(wxVERTICAL);
  lines->Add(new wxStaticText(this, wxID_ANY, kAboutName), 0, wxBOTTOM, kMargin);
  lines->Add(new wxStaticText(this, wxID_ANY, kAboutLine));

  auto* ok = new wxButton(this, wxID_OK);
  ok->SetDefault();

  auto* layout = new wxBoxSizer(wxHORIZONTAL);
  layout->Add(iconFrame, 0, wxALL, kMargin);
  layout->Add(lines, 1, wxTOP | wxBOTTOM | wxALIGN_CENTER_VERTICAL, kMargin);
  layout->Add(ok, 0, wxALL | wxALIGN_TOP, kMargin);
  SetSizerAndFit(layout);
  CentreOnScreen();
}

}  // namespace zarvel
