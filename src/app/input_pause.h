#pragma once

#include <vector>

#include <wx/weakref.h>
#include <wx/window.h>

namespace zarvel {

// Takes the user's input away from the editor for as long as it lives: every enabled
// top-level window is disabled, except the boxes in which executions report errors, which
// must stay usable so the user can close them. Windows opened meanwhile are not touched.
// The windows are enabled again on destruction, those that still exist.
class InputPause {
 public:
  InputPause();
  ~InputPause();
  InputPause(const InputPause&) = delete;
  InputPause& operator=(const InputPause&) = delete;

 private:
  std::vector<wxWeakRef<wxWindow>> disabled_;
};

}  // namespace zarvel
