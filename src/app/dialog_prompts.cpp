#include "app/dialog_prompts.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include "app/ownerless_box.h"

namespace zarvel {

int DialogPrompts::ShowMessage(wxWindow* owner, const wxString& text, const wxString& caption,
                               long style) {
  return wxMessageBox(text, caption, style, owner);
}

void DialogPrompts::ShowOwnerlessMessage(const wxString& text, const wxString& caption,
                                         std::function<void()> dismissed) {
  // The box deletes itself when it is closed.
  auto* box = new OwnerlessBox(text, caption, std::move(dismissed));
  box->Show();
  box->Raise();
}

wxString DialogPrompts::AskFilePath(wxWindow* owner, const wxString& caption,
                                    const wxString& wildcard, const wxString& defaultPath,
                                    long style) {
  const wxFileName name(defaultPath);
  wxFileDialog dialog(owner, caption, name.GetPath(), name.GetFullName(), wildcard, style);
  return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
}

bool DialogPrompts::ShowPage(const wxString& path) {
  return wxLaunchDefaultBrowser(wxFileName::FileNameToURL(wxFileName(path)));
}

}  // namespace zarvel
