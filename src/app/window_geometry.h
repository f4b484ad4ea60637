#pragma once

#include <wx/string.h>
#include <wx/toplevel.h>

class wxConfigBase;

namespace zarvel {

// A window's size, place and state (maximized, minimized) as the editor's settings keep them,
// in a group of their own.
class WindowGeometry : public wxTopLevelWindow::GeometrySerializer {
 public:
  WindowGeometry(wxConfigBase& config, const wxString& group);

  bool SaveField(const wxString& name, int value) const override;
  bool RestoreField(const wxString& name, int* value) override;

 private:
  wxConfigBase& config_;
  wxString group_;
};

}  // namespace zarvel
