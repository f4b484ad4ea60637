#include "app/zarvel_doc_manager.h"

#include <wx/filedlg.h>
#include <wx/filename.h>

#include "app/editor_texts.h"
#include "app/recent_files.h"
#include "app/user_prompts.h"
#include "app/zarvel_app.h"

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
  // A document is known by its full path: Execute changes the current directory to the
  // document's own, after which a relative path would name another file, or none.
  wxString fullPath = path;
  if (!fullPath.empty()) {
    wxFileName name(fullPath);
    name.MakeAbsolute();
    fullPath = name.GetFullPath();
  }
  wxDocument* document = wxDocManager::CreateDocument(fullPath, flags);
  if (document == nullptr && GetDocuments().IsEmpty() && (flags & wxDOC_NEW) == 0) {
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
