#include "app/zarvel_doc_manager.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/log.h>

#include "app/editor_texts.h"
#include "app/recent_files.h"
#include "app/user_prompts.h"
#include "app/zarvel_app.h"
#include "app/zarvel_doc.h"

namespace zarvel {

// The base is built without its recent-file list, so that the list is made here, where our
// own OnCreateFileHistory is the one that runs.
ZarvelDocManager::ZarvelDocManager() : wxDocManager(0, false) {
  Initialize();
  Bind(wxEVT_UPDATE_UI, &ZarvelDocManager::OnUpdateSave, this, wxID_SAVE);
}

wxString ZarvelDocManager::MakeNewDocumentName() {
  return kUntitled;
}

wxFileHistory* ZarvelDocManager::OnCreateFileHistory() {
  return new RecentFiles;
}

wxDocument* ZarvelDocManager::CreateDocument(const wxString& path, long flags) {
  const bool opening = (flags & wxDOC_NEW) == 0;
  wxString fullPath = path;
  // Open asks for the file here rather than in the framework, so that the file is read before
  // the document it would replace is closed.
  if (opening && fullPath.empty()) {
    wxDocTemplate* first = GetTemplates().IsEmpty()
                               ? nullptr
                               : static_cast<wxDocTemplate*>(GetTemplates().GetFirst()->GetData());
    if (first == nullptr || SelectDocumentPath(&first, 1, fullPath, flags) == nullptr) {
      return nullptr;
    }
  }
  // A document is known by its full path: Execute changes the current directory to the
  // document's own, after which a relative path would name another file, or none.
  if (!fullPath.empty()) {
    wxFileName name(fullPath);
    name.MakeAbsolute();
    fullPath = name.GetFullPath();
  }
  // A file the editor would refuse leaves the current document as it is: nothing is closed,
  // and nobody is asked to save changes for an Open that cannot happen.
  wxString refusal;
  if (opening && FindDocumentByPath(fullPath) == nullptr) {
    refusal = ReadDocumentFile(fullPath).refusal;
  }
  wxDocument* document = nullptr;
  if (refusal.empty()) {
    document = wxDocManager::CreateDocument(fullPath, flags);
  } else {
    wxLogError("%s", refusal);
  }
  if (document == nullptr && GetDocuments().IsEmpty() && opening) {
    wxDocManager::CreateDocument(wxString(), wxDOC_NEW);
  }
  return document;
}

wxDocTemplate* ZarvelDocManager::SelectDocumentPath(wxDocTemplate** templates, int count,
                                                    wxString& path, long /*flags*/, bool /*save*/) {
  if (count == 0) {
    return nullptr;
  }
  const wxString directory = GetLastDirectory();
  path = wxGetApp().Prompts().AskFilePath(
      wxGetApp().GetTopWindow(), kOpenCaption, kDocumentWildcard,
      directory.empty() ? wxString() : directory + "/", wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  if (path.empty()) {
    return nullptr;
  }
  SetLastDirectory(wxFileName(path).GetPath());
  return templates[0];
}

void ZarvelDocManager::OnUpdateSave(wxUpdateUIEvent& event) {
  event.Enable(GetCurrentDocument() != nullptr);
}

}  // namespace zarvel
