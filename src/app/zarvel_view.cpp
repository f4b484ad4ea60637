#include "app/zarvel_view.h"

#include <wx/textctrl.h>

#include "app/editor_texts.h"
#include "app/file_drop_target.h"
#include "app/main_frame.h"
#include "app/zarvel_app.h"

namespace zarvel {

wxIMPLEMENT_DYNAMIC_CLASS(ZarvelView, wxView);

// clang-format off
wxBEGIN_EVENT_TABLE(ZarvelView, wxView)
  EVT_MENU(wxID_UNDO, ZarvelView::OnUndo)
  EVT_MENU(wxID_CUT, ZarvelView::OnCut)
  EVT_MENU(wxID_COPY, ZarvelView::OnCopy)
  EVT_MENU(wxID_PASTE, ZarvelView::OnPaste)
  EVT_UPDATE_UI(wxID_UNDO, ZarvelView::OnUpdateUndo)
  EVT_UPDATE_UI(wxID_CUT, ZarvelView::OnUpdateCut)
  EVT_UPDATE_UI(wxID_COPY, ZarvelView::OnUpdateCopy)
  EVT_UPDATE_UI(wxID_PASTE, ZarvelView::OnUpdatePaste)
wxEND_EVENT_TABLE()
// clang-format on

ZarvelView::~ZarvelView() {
  DestroyText();
}

bool ZarvelView::OnCreate(wxDocument* /*document*/, long /*flags*/) {
  MainFrame* frame = wxGetApp().Frame();
  if (frame == nullptr) {
    return false;
  }
  SetFrame(frame);
  // No wxHSCROLL and the default wrapping: long lines wrap at the window's width.
  text_ = new wxTextCtrl(frame, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                         wxTE_MULTILINE | wxTE_BESTWRAP);
  text_->SetDropTarget(new FileDropTarget(*frame));
  // Any change of the text, typed, pasted or cut, makes the document modified. Loading a file
  // changes the text without this event.
  text_->Bind(wxEVT_TEXT, [this](wxCommandEvent& event) {
    if (wxDocument* document = GetDocument()) {
      document->Modify(true);
    }
    event.Skip();
  });
  // The frame sizes its one client window to fill it whenever it is resized.
  frame->SendSizeEvent();
  text_->SetFocus();
  OnChangeFilename();
  return true;
}

bool ZarvelView::OnClose(bool deleteWindow) {
  if (!wxView::OnClose(deleteWindow)) {
    return false;
  }
  Activate(false);
  DestroyText();
  return true;
}

void ZarvelView::OnChangeFilename() {
  wxWindow* frame = GetFrame();
  wxDocument* document = GetDocument();
  if (frame != nullptr && document != nullptr) {
    frame->SetLabel(document->GetUserReadableName() + " - " + kAppTitle);
  }
}

void ZarvelView::DestroyText() {
  if (text_ != nullptr) {
    text_->Destroy();
    text_ = nullptr;
  }
}

void ZarvelView::OnUndo(wxCommandEvent& /*event*/) {
  text_->Undo();
}

void ZarvelView::OnCut(wxCommandEvent& /*event*/) {
  text_->Cut();
}

void ZarvelView::OnCopy(wxCommandEvent& /*event*/) {
  text_->Copy();
}

void ZarvelView::OnPaste(wxCommandEvent& /*event*/) {
  text_->Paste();
}

void ZarvelView::OnUpdateUndo(wxUpdateUIEvent& event) {
  event.Enable(text_ != nullptr && text_->CanUndo());
}

void ZarvelView::OnUpdateCut(wxUpdateUIEvent& event) {
  event.Enable(text_ != nullptr && text_->CanCut());
}

void ZarvelView::OnUpdateCopy(wxUpdateUIEvent& event) {
  event.Enable(text_ != nullptr && text_->CanCopy());
}

void ZarvelView::OnUpdatePaste(wxUpdateUIEvent& event) {
  event.Enable(text_ != nullptr && text_->CanPaste());
}

}  // namespace zarvel
