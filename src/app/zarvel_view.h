#pragma once

#include <wx/docview.h>

class wxTextCtrl;

namespace zarvel {

// The document's one view: a multi-line text control filling the main frame. Long lines wrap
// at the window's width and there is no horizontal scroll bar. The view owns the control; it
// is made when the view is and goes when the view closes.
class ZarvelView : public wxView {
 public:
  ZarvelView() = default;
  ~ZarvelView() override;

  bool OnCreate(wxDocument* document, long flags) override;
  void OnDraw(wxDC* /*dc*/) override {}
  bool OnClose(bool deleteWindow) override;
  // The frame's title is the document's title, a hyphen and the program's name.
  void OnChangeFilename() override;

  wxTextCtrl* Text() const { return text_; }

 private:
  void DestroyText();

  void OnUndo(wxCommandEvent& event);
  void OnCut(wxCommandEvent& event);
  void OnCopy(wxCommandEvent& event);
  void OnPaste(wxCommandEvent& event);
  void OnUpdateUndo(wxUpdateUIEvent& event);
  void OnUpdateCut(wxUpdateUIEvent& event);
  void OnUpdateCopy(wxUpdateUIEvent& event);
  void OnUpdatePaste(wxUpdateUIEvent& event);

  wxTextCtrl* text_ = nullptr;

  wxDECLARE_DYNAMIC_CLASS(ZarvelView);
  wxDECLARE_EVENT_TABLE();
};

}  // namespace zarvel
