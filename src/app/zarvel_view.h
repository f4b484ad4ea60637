#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <wx/docview.h>
#include <wx/fdrepdlg.h>

class wxStyledTextCtrl;
class wxStyledTextEvent;

namespace zarvel {

// The document's one view: a styled text control filling the main frame, with line numbers, a
// margin for marks on lines, colours for sections, keys, values and comments, Undo and Redo,
// Find, and completion of the names a configuration uses. Long lines wrap at the window's width
// and there is no horizontal scroll bar. The view owns the control and its Find box; they are
// made when the view is and go when the view closes.
class ZarvelView : public wxView {
 public:
  ZarvelView() = default;
  ~ZarvelView() override;

  bool OnCreate(wxDocument* document, long flags) override;
  void OnDraw(wxDC* /*dc*/) override {}
  bool OnClose(bool deleteWindow) override;
  // The frame's title is the document's title, a hyphen and the program's name.
  void OnChangeFilename() override;

  wxStyledTextCtrl* Text() const { return text_; }

  // Replaces the whole text, as loading a file or a new document does: the change cannot be
  // undone, the text counts as unmodified, and Enter goes on with the line end the text uses.
  void LoadText(const wxString& text);

  // Replaces `length` bytes from byte `start` of `bytes` (the text as BytesFromText gave it)
  // with `replacement`, as one step that Undo takes back, and shows where it changed.
  void ReplaceBytes(std::string_view bytes, size_t start, size_t length,
                    std::string_view replacement);

  // Marks the lines (counted from 1) in the margin of marks, replacing the marks there were.
  void MarkLines(const std::vector<int>& lines);
  void ClearLineMarks();
  // The lines the marks are on now, one for each line given to MarkLines in its order: they
  // move with the text as it is edited. A line that could not be marked is 0.
  std::vector<int> MarkedLines() const;
  // Selects a word of the line (counted from 1), with the caret at its start: `subject` when the
  // line has it, else the line's first word. Scrolls it into view and gives the text the
  // keyboard focus.
  void ShowLine(int line, const std::string& subject = {});

  // What Find looks for and how; Find Next looks again from the selection on.
  wxFindReplaceData& FindData() { return findData_; }
  // Selects the next match of the find text, past the end wrapping round to the start (or the
  // other way when searching up). Says in the status bar when there is none.
  bool FindNext();

 private:
  void StyleText();
  // A key that a menu item names is that item's command, whichever window has the keyboard.
  void OnTextKeyDown(wxKeyEvent& event);
  // Closes the completion list before an Enter that would only accept the word already typed,
  // so that Enter ends the line.
  void LetEnterEndTheLine(const wxKeyEvent& event);
  void DestroyText();
  // Offers the names that may be typed at the caret, after a character was typed.
  void OfferCompletion();

  void OnUndo(wxCommandEvent& event);
  void OnRedo(wxCommandEvent& event);
  void OnCut(wxCommandEvent& event);
  void OnCopy(wxCommandEvent& event);
  void OnPaste(wxCommandEvent& event);
  void OnFind(wxCommandEvent& event);
  void OnFindNext(wxCommandEvent& event);
  void OnUpdateUndo(wxUpdateUIEvent& event);
  void OnUpdateRedo(wxUpdateUIEvent& event);
  void OnUpdateCut(wxUpdateUIEvent& event);
  void OnUpdateCopy(wxUpdateUIEvent& event);
  void OnUpdatePaste(wxUpdateUIEvent& event);
  void OnUpdateFind(wxUpdateUIEvent& event);
  void OnFindDialog(wxFindDialogEvent& event);
  void OnClipboardCopy(wxStyledTextEvent& event);
  void OnClipboardPaste(wxStyledTextEvent& event);

  wxStyledTextCtrl* text_ = nullptr;
  wxFindReplaceData findData_{wxFR_DOWN};
  wxFindReplaceDialog* findDialog_ = nullptr;
  // The marks MarkLines put on the text, in the order of its lines; -1 for a line not marked.
  std::vector<int> markHandles_;

  wxDECLARE_DYNAMIC_CLASS(ZarvelView);
  wxDECLARE_EVENT_TABLE();
};

}  // namespace zarvel
