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
  // When a file cannot be opened, the framework has already closed the document it replaces;
  // the editor then goes on with a new, empty one rather than with none at all.
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
