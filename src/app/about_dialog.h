#pragma once

#include <wx/dialog.h>

namespace zarvel {

// The About box: the program's icon in a frame, its name and version, one more line, and OK.
// It has no parent window and is centred on the screen.
class AboutDialog : public wxDialog {
 public:
  AboutDialog();
};

}  // namespace zarvel
