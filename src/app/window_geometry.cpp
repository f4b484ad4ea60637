#include "app/window_geometry.h"

#include <wx/config.h>

namespace zarvel {

WindowGeometry::WindowGeometry(wxConfigBase& config, const wxString& group)
    : config_(config), group_(group) {}

bool WindowGeometry::SaveField(const wxString& name, int value) const {
  return config_.Write(group_ + "/" + name, value);
}

bool WindowGeometry::RestoreField(const wxString& name, int* value) {
  return config_.Read(group_ + "/" + name, value);
}

}  // namespace zarvel
