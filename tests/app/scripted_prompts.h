#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "app/user_prompts.h"

namespace zarvel::testing {

// One box the editor showed.
struct ShownBox {
  wxString text;
  wxString caption;
  long style = 0;
  bool owned = false;  // Owned by a window (modal), or ownerless.
  bool onGuiThread = false;
  bool editorEnabled = false;  // Whether the main frame took input while the box was shown.
};

// Prompts that a test answers: every box is recorded; questions take their answers from a
// queue the test fills; ownerless boxes stay open until the test dismisses them, unless it
// asked for them to be dismissed as soon as the user could.
class ScriptedPrompts : public UserPrompts {
 public:
  int ShowMessage(wxWindow* owner, const wxString& text, const wxString& caption,
                  long style) override;
  void ShowOwnerlessMessage(const wxString& text, const wxString& caption,
                            std::function<void()> dismissed) override;
  // Answers with the next of `filePaths`, and keeps the dialog's wildcard.
  wxString AskFilePath(wxWindow* owner, const wxString& caption, const wxString& wildcard,
                       const wxString& defaultPath, long style) override;
  // Keeps the page in `pages` rather than showing it.
  bool ShowPage(const wxString& path) override;

  // Closes every open ownerless box, as the user's OK would.
  void DismissOpenBoxes();
  size_t OpenBoxes() const { return open_.size(); }

  std::vector<ShownBox> shown;
  std::deque<int> answers;
  std::deque<wxString> filePaths;
  std::vector<wxString> fileWildcards;
  std::vector<wxString> pages;
  // Ownerless boxes are closed by a pending event right after they appear, so they are closed
  // only if the GUI thread keeps handling events.
  bool dismissSoon = false;

 private:
  std::vector<std::function<void()>> open_;
};

}  // namespace zarvel::testing
