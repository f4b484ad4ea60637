#include "app/zarvel_doc.h"

#include <fstream>
#include <iterator>

#include <wx/log.h>
#include <wx/textctrl.h>

#include "app/editor_texts.h"
#include "app/latin1_text.h"
#include "app/user_prompts.h"
#include "app/zarvel_app.h"
#include "app/zarvel_view.h"

namespace zarvel {

wxIMPLEMENT_DYNAMIC_CLASS(ZarvelDoc, wxDocument);

bool ZarvelDoc::OnNewDocument() {
  if (!wxDocument::OnNewDocument()) {
    return false;
  }
  if (wxTextCtrl* text = Text()) {
    text->ChangeValue(wxString());
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

bool ZarvelDoc::IsModified() const {
  const wxTextCtrl* text = Text();
  return wxDocument::IsModified() || (text != nullptr && text->IsModified());
}

void ZarvelDoc::Modify(bool modified) {
  wxDocument::Modify(modified);
  if (!modified) {
    if (wxTextCtrl* text = Text()) {
      text->DiscardEdits();
    }
  }
}

bool ZarvelDoc::DoOpenDocument(const wxString& file) {
  std::ifstream in(file.fn_str(), std::ios::binary);
  if (!in) {
    wxLogError(kCannotRead, file);
    return false;
  }
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    wxLogError(kCannotRead, file);
    return false;
  }
  // The text control ends its text at a zero byte, so a file holding one would lose the rest
  // on the next save. It is refused instead.
  if (bytes.find('\0') != std::string::npos) {
    wxLogError(kZeroByteRefused, file);
    return false;
  }
  if (wxTextCtrl* text = Text()) {
    text->ChangeValue(TextFromBytes(bytes));
  }
  return true;
}

bool ZarvelDoc::DoSaveDocument(const wxString& file) {
  const wxTextCtrl* text = Text();
  const std::optional<std::string> bytes =
      BytesFromText(text != nullptr ? text->GetValue() : wxString());
  if (!bytes) {
    wxLogError(kWideCharacterRefused, file);
    return false;
  }
  std::ofstream out(file.fn_str(), std::ios::binary | std::ios::trunc);
  if (!out) {
    wxLogError(kCannotWrite, file);
    return false;
  }
  out.write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
  out.close();
  if (!out) {
    wxLogError(kWriteFailed, file);
    return false;
  }
  return true;
}

wxTextCtrl* ZarvelDoc::Text() const {
  auto* view = dynamic_cast<ZarvelView*>(GetFirstView());
  return view != nullptr ? view->Text() : nullptr;
}

}  // namespace zarvel
