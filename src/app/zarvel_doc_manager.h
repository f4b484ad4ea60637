#pragma once

#include <wx/docview.h>

namespace zarvel {

// The framework's document manager with Zarvel's names: a new document is titled "Untitled",
// the recent-file list is ours, documents are opened under their full paths, and there is
// always one document, as a single-document editor has.
class ZarvelDocManager : public wxDocManager {
 public:
  ZarvelDocManager();

  wxString MakeNewDocumentName() override;
  wxFileHistory* OnCreateFileHistory() override;
  // A file that cannot be opened is refused before the document it would replace is closed, so
  // that document stays as it was. When there is no document at all (a file named at start-up
  // refused), the editor goes on with a new, empty one rather than with none.
  wxDocument* CreateDocument(const wxString& path, long flags = 0) override;
  // The Open dialog, through the editor's prompts; it offers "All files" beside the
  // configurations, and any file chosen is opened as a configuration.
  wxDocTemplate* SelectDocumentPath(wxDocTemplate** templates, int count, wxString& path,
                                    long flags, bool save = false) override;

 private:
  // Save is offered whenever there is a document, changed or not.
  void OnUpdateSave(wxUpdateUIEvent& event);
};

}  // namespace zarvel
