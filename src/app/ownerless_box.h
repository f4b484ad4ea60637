#pragma once

#include <functional>

#include <wx/dialog.h>

namespace zarvel {

// The box in which an execution reports its error: no owner window, the error icon, the
// message and an OK button. It is modeless, so the editor stays usable while it is open, as a
// box that belongs to no window should leave it. Closing it, by OK, Escape or the window
// manager, tells whoever waits for it and deletes the box.
class OwnerlessBox : public wxDialog {
 public:
  OwnerlessBox(const wxString& text, const wxString& caption, std::function<void()> dismissed);
  ~OwnerlessBox() override;

  // What the OK button does.
  void Dismiss();

 private:
  void TellDismissed();

  std::function<void()> dismissed_;
};

}  // namespace zarvel
