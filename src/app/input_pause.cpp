#include "app/input_pause.h"

#include <wx/toplevel.h>

#include "app/ownerless_box.h"

namespace zarvel {

InputPause::InputPause() {
  for (wxWindow* window : wxTopLevelWindows) {
    if (window->IsEnabled() && dynamic_cast<OwnerlessBox*>(window) == nullptr) {
      window->Disable();
      disabled_.emplace_back(window);
    }
  }
}

InputPause::~InputPause() {
  for (wxWeakRef<wxWindow>& window : disabled_) {
    if (window && !window->IsBeingDeleted()) {
      window->Enable();
    }
  }
}

}  // namespace zarvel
