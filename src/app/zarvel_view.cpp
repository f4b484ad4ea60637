#include "app/zarvel_view.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include <wx/clipbrd.h>
#include <wx/menu.h>
#include <wx/stc/stc.h>
#include <wx/textbuf.h>

#include "app/command_ids.h"
#include "app/editor_texts.h"
#include "app/file_drop_target.h"
#include "app/latin1_text.h"
#include "app/main_frame.h"
#include "app/name_completion.h"
#include "app/zarvel_app.h"
#include "config/settings_text.h"

namespace zarvel {

namespace {

constexpr int kFontPoints = 10;

// The margins, left to right: line numbers, then the marks on lines.
constexpr int kNumberMargin = 0;
constexpr int kMarkMargin = 1;
constexpr int kMarkMarginWidth = 16;
// The number margin is as wide as this text in its style: room for five digits.
constexpr char kWidestLineNumber[] = "_99999";
// The marker that MarkLines puts on a line, and its colours.
constexpr int kLineMark = 0;
constexpr char kLineMarkOutline[] = "#7F0000";
constexpr char kLineMarkFill[] = "#FF3F3F";

// The colours of the properties lexer's styles. Its default style is what follows the "=" of
// an item: the value.
struct TextStyle {
  int style;
  const char* colour;
  bool bold;
};
constexpr TextStyle kTextStyles[] = {
    {wxSTC_PROPS_DEFAULT, "#7F3F00", false}, {wxSTC_PROPS_COMMENT, "#007F00", false},
    {wxSTC_PROPS_SECTION, "#00007F", true},  {wxSTC_PROPS_ASSIGNMENT, "#5F5F5F", false},
    {wxSTC_PROPS_KEY, "#00607F", false},
};

// The command of the menu item whose shortcut the key is, or wxID_NONE.
int MenuCommandOf(const wxMenu& menu, const wxKeyEvent& key) {
  constexpr int kModifiers = wxACCEL_CTRL | wxACCEL_ALT | wxACCEL_SHIFT;
  for (const wxMenuItem* item : menu.GetMenuItems()) {
    if (item->IsSubMenu()) {
      if (const int id = MenuCommandOf(*item->GetSubMenu(), key); id != wxID_NONE) {
        return id;
      }
      continue;
    }
    const std::unique_ptr<wxAcceleratorEntry> shortcut(item->GetAccel());
    // A key event's modifier bits are the shortcut's flags of the same names.
    if (shortcut != nullptr && shortcut->GetKeyCode() == key.GetKeyCode() &&
        (shortcut->GetFlags() & kModifiers) == (key.GetModifiers() & kModifiers)) {
      return item->GetId();
    }
  }
  return wxID_NONE;
}

int MenuCommandOf(const wxMenuBar& menus, const wxKeyEvent& key) {
  for (size_t i = 0; i < menus.GetMenuCount(); ++i) {
    if (const int id = MenuCommandOf(*menus.GetMenu(i), key); id != wxID_NONE) {
      return id;
    }
  }
  return wxID_NONE;
}

// The separator of the names in a completion list; no name holds it.
constexpr char kNameSeparator = ' ';

// The line end that Enter types: the one the text's first line ends with, else LF.
int LineEndModeOf(const wxString& text) {
  const size_t end = text.find_first_of("\r\n");
  if (end == wxString::npos || text[end] == '\n') {
    return wxSTC_EOL_LF;
  }
  return end + 1 < text.length() && text[end + 1] == '\n' ? wxSTC_EOL_CRLF : wxSTC_EOL_CR;
}

// The bytes of a piece of the text; a piece with a character beyond one byte names nothing a
// configuration knows, so it has none.
std::string BytesOf(const wxString& text) {
  return BytesFromText(text).value_or(std::string());
}

}  // namespace

wxIMPLEMENT_DYNAMIC_CLASS(ZarvelView, wxView);

// clang-format off
wxBEGIN_EVENT_TABLE(ZarvelView, wxView)
  EVT_MENU(wxID_UNDO, ZarvelView::OnUndo)
  EVT_MENU(wxID_REDO, ZarvelView::OnRedo)
  EVT_MENU(wxID_CUT, ZarvelView::OnCut)
  EVT_MENU(wxID_COPY, ZarvelView::OnCopy)
  EVT_MENU(wxID_PASTE, ZarvelView::OnPaste)
  EVT_MENU(wxID_FIND, ZarvelView::OnFind)
  EVT_MENU(kFindNextId, ZarvelView::OnFindNext)
  EVT_UPDATE_UI(wxID_UNDO, ZarvelView::OnUpdateUndo)
  EVT_UPDATE_UI(wxID_REDO, ZarvelView::OnUpdateRedo)
  EVT_UPDATE_UI(wxID_CUT, ZarvelView::OnUpdateCut)
  EVT_UPDATE_UI(wxID_COPY, ZarvelView::OnUpdateCopy)
  EVT_UPDATE_UI(wxID_PASTE, ZarvelView::OnUpdatePaste)
  EVT_UPDATE_UI(wxID_FIND, ZarvelView::OnUpdateFind)
  EVT_UPDATE_UI(kFindNextId, ZarvelView::OnUpdateFind)
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
  text_ = new wxStyledTextCtrl(frame->DocumentArea(), wxID_ANY);
  // The text draws every pixel of itself; a background cleared first would be a drawing context
  // made at every blink of the caret for nothing.
  text_->SetBackgroundStyle(wxBG_STYLE_PAINT);
  StyleText();
  text_->SetDropTarget(new FileDropTarget(*frame));
  // Each character typed may be part of a name to complete.
  text_->Bind(wxEVT_STC_CHARADDED, [this](wxStyledTextEvent& event) {
    OfferCompletion();
    event.Skip();
  });
  text_->Bind(wxEVT_KEY_DOWN, &ZarvelView::OnTextKeyDown, this);
  // Every edit (typing, Assign, Undo back to the saved text) moves the text off or back onto its
  // save point, and the title follows.
  text_->Bind(wxEVT_STC_SAVEPOINTLEFT, [this](wxStyledTextEvent& event) {
    OnChangeFilename();
    event.Skip();
  });
  text_->Bind(wxEVT_STC_SAVEPOINTREACHED, [this](wxStyledTextEvent& event) {
    OnChangeFilename();
    event.Skip();
  });
  text_->Bind(wxEVT_STC_CLIPBOARD_COPY, &ZarvelView::OnClipboardCopy, this);
  text_->Bind(wxEVT_STC_CLIPBOARD_PASTE, &ZarvelView::OnClipboardPaste, this);
  // The text fills the document's area, above the list of problems.
  frame->PlaceText(text_);
  text_->SetFocus();
  OnChangeFilename();
  return true;
}

void ZarvelView::StyleText() {
  const wxFont font(wxFontInfo(kFontPoints).Family(wxFONTFAMILY_TELETYPE));
  text_->StyleSetFont(wxSTC_STYLE_DEFAULT, font);
  text_->StyleClearAll();
  text_->SetLexer(wxSTC_LEX_PROPERTIES);
  for (const TextStyle& style : kTextStyles) {
    text_->StyleSetForeground(style.style, wxColour(style.colour));
    text_->StyleSetBold(style.style, style.bold);
  }

  text_->SetMarginType(kNumberMargin, wxSTC_MARGIN_NUMBER);
  text_->SetMarginWidth(kNumberMargin, text_->TextWidth(wxSTC_STYLE_LINENUMBER, kWidestLineNumber));
  text_->SetMarginMask(kNumberMargin, 0);
  text_->SetMarginType(kMarkMargin, wxSTC_MARGIN_SYMBOL);
  text_->SetMarginWidth(kMarkMargin, kMarkMarginWidth);
  text_->SetMarginMask(kMarkMargin, 1 << kLineMark);
  text_->MarkerDefine(kLineMark, wxSTC_MARK_CIRCLE, wxColour(kLineMarkOutline),
                      wxColour(kLineMarkFill));

  // Long lines wrap at the window's width, as a plain text box would wrap them.
  text_->SetWrapMode(wxSTC_WRAP_WORD);
  text_->SetUseHorizontalScrollBar(false);
  // The text is kept as it is: Enter types the line end the file uses (see LoadText), and
  // pasted text keeps its own line ends (see OnClipboardPaste).
  text_->SetEOLMode(wxSTC_EOL_LF);
  text_->SetPasteConvertEndings(false);

  // Settings and key names compare without regard to case.
  text_->AutoCompSetIgnoreCase(true);
  text_->AutoCompSetOrder(wxSTC_ORDER_PERFORMSORT);
  text_->AutoCompSetSeparator(kNameSeparator);
}

void ZarvelView::OnTextKeyDown(wxKeyEvent& event) {
  // The desktop offers a key to the window with the keyboard before the menus, and the text
  // takes every key it is offered, some for commands of its own (Ctrl+T would swap two lines
  // instead of stopping the execution); without this, Ctrl+E, Ctrl+S and the rest of the
  // menus' keys would do nothing while the text has the keyboard. The command goes to the
  // frame as a menu's would, unless the command is greyed there.
  wxFrame* frame = wxDynamicCast(GetFrame(), wxFrame);
  const wxMenuBar* menus = frame != nullptr ? frame->GetMenuBar() : nullptr;
  const int id = menus != nullptr ? MenuCommandOf(*menus, event) : wxID_NONE;
  if (id == wxID_NONE) {
    LetEnterEndTheLine(event);
    event.Skip();
    return;
  }
  wxUpdateUIEvent state(id);
  state.SetEventObject(frame);
  frame->ProcessWindowEvent(state);
  if (state.GetSetEnabled() && !state.GetEnabled()) {
    return;
  }
  wxCommandEvent command(wxEVT_MENU, id);
  command.SetEventObject(frame);
  frame->ProcessWindowEvent(command);
}

void ZarvelView::LetEnterEndTheLine(const wxKeyEvent& event) {
  const int key = event.GetKeyCode();
  if ((key != WXK_RETURN && key != WXK_NUMPAD_ENTER) || event.HasAnyModifiers() ||
      !text_->AutoCompActive()) {
    return;
  }
  // Enter accepts the name the list has chosen only when that changes what is typed; a word
  // typed whole ("up" of "up = up") is closed with a line end, as the user means. The list
  // goes, and the text then takes Enter as the end of the line. Tab still accepts the name.
  const wxString typed = text_->GetTextRange(text_->AutoCompPosStart(), text_->GetCurrentPos());
  if (!typed.empty() && typed.IsSameAs(text_->AutoCompGetCurrentText(), false)) {
    text_->AutoCompCancel();
  }
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
    // A "*" before the name says the text has changes not saved, as desktop editors show it.
    const wxString changed = document->IsModified() ? kUnsavedMark : "";
    frame->SetLabel(changed + document->GetUserReadableName() + " - " + kAppTitle);
  }
}

void ZarvelView::ReplaceBytes(std::string_view bytes, size_t start, size_t length,
                              std::string_view replacement) {
  // The text keeps its characters in UTF-8, where every byte above 7F of the file takes two.
  const auto position = [bytes](size_t offset) {
    return static_cast<int>(TextFromBytes(bytes.substr(0, offset)).utf8_str().length());
  };
  const int from = position(start);
  text_->SetTargetRange(from, position(start + length));
  const int written = text_->ReplaceTarget(TextFromBytes(replacement));
  text_->GotoPos(from + written);
}

void ZarvelView::LoadText(const wxString& text) {
  if (text_ == nullptr) {
    return;
  }
  text_->SetEOLMode(LineEndModeOf(text));
  text_->SetText(text);
  // Any later change, typed, pasted or cut, moves the text away from the save point, which is
  // how the document knows it is modified (ZarvelDoc::IsModified); an Undo back to it makes
  // the text unmodified again.
  text_->EmptyUndoBuffer();
  text_->SetSavePoint();
}

void ZarvelView::MarkLines(const std::vector<int>& lines) {
  ClearLineMarks();
  if (text_ == nullptr) {
    return;
  }
  for (const int line : lines) {
    const bool inText = line >= 1 && line <= text_->GetLineCount();
    markHandles_.push_back(inText ? text_->MarkerAdd(line - 1, kLineMark) : -1);
  }
}

void ZarvelView::ClearLineMarks() {
  markHandles_.clear();
  if (text_ != nullptr) {
    text_->MarkerDeleteAll(kLineMark);
  }
}

std::vector<int> ZarvelView::MarkedLines() const {
  std::vector<int> lines;
  for (const int handle : markHandles_) {
    // The text keeps each mark on its line as lines are added or taken away above it; a mark
    // whose line was deleted goes to the line that took its place.
    const int line = handle >= 0 && text_ != nullptr ? text_->MarkerLineFromHandle(handle) : -1;
    lines.push_back(line >= 0 ? line + 1 : 0);
  }
  return lines;
}

void ZarvelView::ShowLine(int line, const std::string& subject) {
  if (text_ == nullptr) {
    return;
  }
  // GotoLine puts the caret at the line's start and scrolls it into view.
  const int shown = std::clamp(line - 1, 0, std::max(text_->GetLineCount() - 1, 0));
  text_->GotoLine(shown);
  const int start = text_->PositionFromLine(shown);
  const int end = text_->GetLineEndPosition(shown);
  // The word is selected, with the caret at its start: the word named, where the line has it,
  // else the line's first word, which is the name of its item or its section's header.
  int from = -1;
  int to = -1;
  if (!subject.empty()) {
    text_->SetSearchFlags(0);
    text_->SetTargetRange(start, end);
    from = text_->SearchInTarget(TextFromBytes(subject));
    to = text_->GetTargetEnd();
  }
  if (from < 0) {
    const wxString whole = text_->GetTextRange(start, end);
    const size_t first = whole.find_first_not_of(" \t");
    if (first != wxString::npos) {
      const size_t last = whole.find_first_of(" \t=", first);
      from = text_->PositionRelative(start, static_cast<int>(first));
      to = last == wxString::npos ? end : text_->PositionRelative(start, static_cast<int>(last));
    }
  }
  if (from >= 0 && to > from) {
    text_->SetAnchor(to);
    text_->SetCurrentPos(from);
  }
  text_->SetFocus();
}

bool ZarvelView::FindNext() {
  const wxString what = findData_.GetFindString();
  if (text_ == nullptr || what.empty()) {
    return false;
  }
  const int flags = findData_.GetFlags();
  text_->SetSearchFlags(((flags & wxFR_MATCHCASE) != 0 ? wxSTC_FIND_MATCHCASE : 0) |
                        ((flags & wxFR_WHOLEWORD) != 0 ? wxSTC_FIND_WHOLEWORD : 0));
  // A target whose start lies after its end is searched backwards.
  const auto search = [this, &what](int from, int to) {
    text_->SetTargetRange(from, to);
    return text_->SearchInTarget(what);
  };
  const int length = text_->GetLength();
  int found = -1;
  if ((flags & wxFR_DOWN) != 0) {
    const int from = text_->GetSelectionEnd();
    found = search(from, length);
    if (found < 0) {
      found = search(0, from);
    }
  } else {
    const int from = text_->GetSelectionStart();
    found = search(from, 0);
    if (found < 0) {
      found = search(length, from);
    }
  }
  if (found < 0) {
    if (auto* frame = dynamic_cast<MainFrame*>(GetFrame())) {
      frame->ShowPaneText(kMessagePane, wxString::Format(kFindNothing, what));
    }
    return false;
  }
  text_->SetSelectionStart(text_->GetTargetStart());
  text_->SetSelectionEnd(text_->GetTargetEnd());
  text_->EnsureCaretVisible();
  return true;
}

void ZarvelView::DestroyText() {
  if (findDialog_ != nullptr) {
    findDialog_->Destroy();
    findDialog_ = nullptr;
  }
  if (text_ != nullptr) {
    text_->Destroy();
    text_ = nullptr;
  }
}

void ZarvelView::OfferCompletion() {
  const int caret = text_->GetCurrentPos();
  const int line = text_->LineFromPosition(caret);
  const std::string before = BytesOf(text_->GetTextRange(text_->PositionFromLine(line), caret));
  // The section the caret is in is the last header above its line, a header as the lookups
  // take one.
  std::string header;
  for (int above = line - 1; above >= 0; --above) {
    const std::string text = BytesOf(text_->GetLine(above));
    if (IsSectionHeaderLine(text)) {
      header = text;
      break;
    }
  }
  const auto keyNames = [this] {
    auto* frame = dynamic_cast<MainFrame*>(GetFrame());
    return KeyNamesOf(frame != nullptr ? frame->HomeDir() : std::string());
  };
  const std::optional<CompletionOffer> offer = zarvel::OfferCompletion(header, before, keyNames);
  if (!offer) {
    return;
  }
  // A list already open goes on narrowing itself down as the name is typed; after a separator
  // the list starts afresh.
  if (offer->typed > 0 && text_->AutoCompActive()) {
    return;
  }
  wxString list;
  for (const std::string& name : offer->names) {
    if (!list.empty()) {
      list += kNameSeparator;
    }
    list += TextFromBytes(name);
  }
  const int start = text_->PositionRelative(caret, -static_cast<int>(offer->typed));
  text_->AutoCompShow(caret - start, list);
}

void ZarvelView::OnUndo(wxCommandEvent& /*event*/) {
  text_->Undo();
}

void ZarvelView::OnRedo(wxCommandEvent& /*event*/) {
  text_->Redo();
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

void ZarvelView::OnFind(wxCommandEvent& /*event*/) {
  if (findDialog_ != nullptr) {
    findDialog_->Raise();
    return;
  }
  // A selection within one line is what the user most likely looks for.
  const wxString selected = text_->GetSelectedText();
  if (!selected.empty() && selected.find_first_of("\r\n") == wxString::npos) {
    findData_.SetFindString(selected);
  }
  findDialog_ = new wxFindReplaceDialog(GetFrame(), &findData_, kFindCaption);
  findDialog_->Bind(wxEVT_FIND, &ZarvelView::OnFindDialog, this);
  findDialog_->Bind(wxEVT_FIND_NEXT, &ZarvelView::OnFindDialog, this);
  findDialog_->Bind(wxEVT_FIND_CLOSE, &ZarvelView::OnFindDialog, this);
  findDialog_->Show();
}

void ZarvelView::OnFindNext(wxCommandEvent& event) {
  if (findData_.GetFindString().empty()) {
    OnFind(event);
    return;
  }
  FindNext();
}

void ZarvelView::OnFindDialog(wxFindDialogEvent& event) {
  if (event.GetEventType() == wxEVT_FIND_CLOSE) {
    findDialog_->Destroy();
    findDialog_ = nullptr;
    if (text_ != nullptr) {
      text_->SetFocus();
    }
    return;
  }
  FindNext();
}

void ZarvelView::OnClipboardCopy(wxStyledTextEvent& event) {
  // The control puts copied text on the clipboard with the system's line ends. When what it
  // copies is the selection, the selection's own line ends go instead, so that a CR LF copied
  // and pasted stays a CR LF.
  const wxString selected = text_->GetSelectedText();
  if (wxTextBuffer::Translate(selected) == event.GetString()) {
    event.SetString(selected);
  }
}

void ZarvelView::OnClipboardPaste(wxStyledTextEvent& event) {
  // The control turns the line ends of pasted text into the document's; the clipboard's text
  // goes in as it is instead.
  wxClipboardLocker clipboard;
  wxTextDataObject data;
  if (!!clipboard && wxTheClipboard->GetData(data)) {
    event.SetString(data.GetText());
  }
}

void ZarvelView::OnUpdateUndo(wxUpdateUIEvent& event) {
  event.Enable(text_ != nullptr && text_->CanUndo());
}

void ZarvelView::OnUpdateRedo(wxUpdateUIEvent& event) {
  event.Enable(text_ != nullptr && text_->CanRedo());
}

void ZarvelView::OnUpdateCut(wxUpdateUIEvent& event) {
  event.Enable(text_ != nullptr && text_->CanCut());
}

void ZarvelView::OnUpdateCopy(wxUpdateUIEvent& event) {
  event.Enable(text_ != nullptr && text_->CanCopy());
}

void ZarvelView::OnUpdatePaste(wxUpdateUIEvent& event) {
  // Offered whenever the text can take it: whether the clipboard holds text is asked of the
  // desktop in several round trips, and this is asked at every idle pass, which an execution's
  // Pads panel makes a few times a second. A paste of nothing changes nothing.
  event.Enable(text_ != nullptr && !text_->GetReadOnly());
}

void ZarvelView::OnUpdateFind(wxUpdateUIEvent& event) {
  event.Enable(text_ != nullptr);
}

}  // namespace zarvel
