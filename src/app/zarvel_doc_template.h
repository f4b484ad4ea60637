#pragma once

#include <wx/docview.h>

namespace zarvel {

// The one kind of document: a configuration, whatever its file's extension. The framework
// would take only files ending in ".ini" for one, and would leave every other file out of the
// recent-file list; a configuration may be named anything.
class ZarvelDocTemplate : public wxDocTemplate {
 public:
  explicit ZarvelDocTemplate(wxDocManager* manager);

  bool FileMatchesTemplate(const wxString& path) override;
};

}  // namespace zarvel
