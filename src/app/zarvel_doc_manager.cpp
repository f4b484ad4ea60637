#include "app/zarvel_doc_manager.h"

#include <wx/filename.h>

#include "app/editor_texts.h"
#include "app/recent_files.h"

namespace zarvel {

// The base is built without its recent-file list, so that the list is made here, where our
// own OnCreateFileHistory is the one that runs.
ZarvelDocManager::ZarvelDocManager() : wxDocManager(0, false) {
  Initialize();
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

}  // namespace zarvel
