#include "app/zarvel_doc.h"

#include <cstdio>

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/stc/stc.h>

#include "app/editor_texts.h"
#include "app/latin1_text.h"
#include "app/user_prompts.h"
#include "app/whole_file_save.h"
#include "app/zarvel_app.h"
#include "app/zarvel_view.h"
#include "config/settings_files.h"

namespace zarvel {

wxIMPLEMENT_DYNAMIC_CLASS(ZarvelDoc, wxDocument);

DocumentFile ReadDocumentFile(const wxString& path) {
  DocumentFile read;
  // Only a regular file is a document: a directory or a device could never be saved back, and
  // a pipe without a writer would hold the editor until one came.
  const SettingsFile in = OpenRegularFile(std::string(path.fn_str()));
  if (!in) {
    read.refusal = wxString::Format(kCannotRead, path);
    return read;
  }
  char block[4096];
  for (size_t got; (got = std::fread(block, 1, sizeof block, in.get())) > 0;) {
    read.bytes.append(block, got);
  }
  if (std::ferror(in.get())) {
    read.refusal = wxString::Format(kCannotRead, path);
    return read;
  }
  // The text control hands its text over only up to a zero byte, so a file holding one would
  // lose the rest on the next save. It is refused instead.
  if (read.bytes.find('\0') != std::string::npos) {
    read.refusal = wxString::Format(kZeroByteRefused, path);
  }
  return read;
}

bool ZarvelDoc::OnNewDocument() {
  if (!wxDocument::OnNewDocument()) {
    return false;
  }
  if (ZarvelView* view = View()) {
    view->LoadText(wxString());
  }
  return true;
}

bool ZarvelDoc::OnSaveModified() {
  if (!IsModified()) {
    return true;
  }
  const int answer = wxGetApp().Prompts().ShowMessage(
      GetDocumentWindow(), wxString::Format(kSaveChangesPrompt, GetUserReadableName()), kAppTitle,
      wxYES_NO | wxCANCEL | wxICON_QUESTION);
  switch (answer) {
    case wxYES:
      return Save();
    case wxNO:
      Modify(false);
      return true;
    default:
      return false;
  }
}

bool ZarvelDoc::Save() {
  if (!GetDocumentSaved() || GetFilename().empty()) {
    return SaveAs();
  }
  return OnSaveDocument(GetFilename());
}

bool ZarvelDoc::SaveAs() {
  UserPrompts& prompts = wxGetApp().Prompts();
  const wxString suggested = GetDocumentSaved() ? GetFilename() : GetUserReadableName();
  wxString path = prompts.AskFilePath(GetDocumentWindow(), kSaveAsCaption, kDocumentWildcard,
                                      suggested, wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
  if (path.empty()) {
    return false;
  }
  // The dialog asked before replacing the name the user typed; a name it did not see is asked
  // about here.
  if (wxFileName(path).GetExt().empty()) {
    path += wxString(".") + kDocumentExtension;
    if (wxFileName::Exists(path) &&
        prompts.ShowMessage(GetDocumentWindow(), wxString::Format(kReplacePrompt, path), kAppTitle,
                            wxYES_NO | wxICON_EXCLAMATION) != wxYES) {
      return false;
    }
  }
  if (!OnSaveDocument(path)) {
    return false;
  }
  SetTitle(wxFileName(path).GetFullName());
  SetFilename(path, true);
  GetDocumentManager()->AddFileToHistory(path);
  return true;
}

bool ZarvelDoc::IsModified() const {
  const wxStyledTextCtrl* text = Text();
  return wxDocument::IsModified() || (text != nullptr && text->IsModified());
}

void ZarvelDoc::Modify(bool modified) {
  wxDocument::Modify(modified);
  if (!modified) {
    if (wxStyledTextCtrl* text = Text()) {
      text->SetSavePoint();
    }
  }
}

bool ZarvelDoc::DoOpenDocument(const wxString& file) {
  const DocumentFile read = ReadDocumentFile(file);
  if (!read.refusal.empty()) {
    wxLogError("%s", read.refusal);
    return false;
  }
  if (ZarvelView* view = View()) {
    view->LoadText(TextFromBytes(read.bytes));
  }
  return true;
}

bool ZarvelDoc::DoSaveDocument(const wxString& file) {
  // The control keeps the text as UTF-8 and hands it over as it is, each line end as typed or
  // loaded; each character goes back to its byte.
  const wxStyledTextCtrl* text = Text();
  const std::optional<std::string> bytes =
      BytesFromText(text != nullptr ? text->GetText() : wxString());
  if (!bytes) {
    wxLogError(kWideCharacterRefused, file);
    return false;
  }
  // The old file stays whole until the new text is entirely on the disk, so a save that fails
  // part of the way (a full disk) loses nothing.
  if (const std::optional<std::string> error = SaveFileWhole(std::string(file.fn_str()), *bytes)) {
    wxLogError(kSaveFailed, file, TextFromBytes(*error));
    return false;
  }
  return true;
}

ZarvelView* ZarvelDoc::View() const {
  return dynamic_cast<ZarvelView*>(GetFirstView());
}

wxStyledTextCtrl* ZarvelDoc::Text() const {
  const ZarvelView* view = View();
  return view != nullptr ? view->Text() : nullptr;
}

}  // namespace zarvel
