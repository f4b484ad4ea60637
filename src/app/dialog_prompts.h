#pragma once

#include "app/user_prompts.h"

namespace zarvel {

// The prompts as the user sees them: the framework's message box, and an ownerless box of
// our own for the messages of an execution.
class DialogPrompts : public UserPrompts {
 public:
  int ShowMessage(wxWindow* owner, const wxString& text, const wxString& caption,
                  long style) override;
  void ShowOwnerlessMessage(const wxString& text, const wxString& caption,
                            std::function<void()> dismissed) override;
  wxString AskFilePath(wxWindow* owner, const wxString& caption, const wxString& wildcard,
                       const wxString& defaultPath, long style) override;
  bool ShowPage(const wxString& path) override;
};

}  // namespace zarvel
