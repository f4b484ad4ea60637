#pragma once

#include <functional>

#include <wx/string.h>

class wxWindow;

namespace zarvel {

// Every question and message box the editor puts to the user goes through here, so that the
// boxes can be answered by something other than a person (the tests answer them).
class UserPrompts {
 public:
  virtual ~UserPrompts() = default;

  // A modal box owned by `owner`, with the framework's button and icon flags (wxOK,
  // wxYES_NO, wxCANCEL, wxICON_EXCLAMATION, ...). Returns the button chosen: wxOK, wxYES,
  // wxNO or wxCANCEL.
  virtual int ShowMessage(wxWindow* owner, const wxString& text, const wxString& caption,
                          long style) = 0;

  // A box with no owner window, with the error icon and an OK button, that leaves the editor
  // usable while it is open. It returns at once; `dismissed` runs on the GUI thread once the
  // user has closed the box (or the box has gone with the program), exactly once.
  virtual void ShowOwnerlessMessage(const wxString& text, const wxString& caption,
                                    std::function<void()> dismissed) = 0;

  // A file dialog owned by `owner`, with the framework's wildcard ("Text (*.txt)|*.txt|...")
  // and style flags (wxFD_OPEN or wxFD_SAVE, ...). Returns the path chosen, or nothing when
  // the user cancelled.
  virtual wxString AskFilePath(wxWindow* owner, const wxString& caption, const wxString& wildcard,
                               const wxString& defaultPath, long style) = 0;

  // Shows the page at `path` in the desktop's browser; returns whether one was started.
  virtual bool ShowPage(const wxString& path) = 0;
};

}  // namespace zarvel
