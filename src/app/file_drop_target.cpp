#include "app/file_drop_target.h"

#include "app/main_frame.h"

namespace zarvel {

FileDropTarget::FileDropTarget(MainFrame& frame) : frame_(frame) {}

bool FileDropTarget::OnDropFiles(wxCoord /*x*/, wxCoord /*y*/, const wxArrayString& files) {
  // Opening a file replaces the view, and with it the text control this target may belong
  // to, so the files are opened once the drop has been handled, not during it.
  frame_.CallAfter(&MainFrame::OpenFiles, files);
  return true;
}

}  // namespace zarvel
