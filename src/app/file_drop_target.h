#pragma once

#include <wx/dnd.h>

namespace zarvel {

class MainFrame;

// Files dropped on the main window or its text are opened as the document, one after the
// other, as if each had been chosen with Open.
class FileDropTarget : public wxFileDropTarget {
 public:
  explicit FileDropTarget(MainFrame& frame);

  bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& files) override;

 private:
  MainFrame& frame_;
};

}  // namespace zarvel
