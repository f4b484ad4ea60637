#pragma once

#include <cstdint>

#include <wx/bitmap.h>
#include <wx/iconbndl.h>

namespace zarvel {

// The tool bar's images, 16 by 15 pixels each, in the order of the bar.
enum class ToolImage : uint8_t {
  kNew,
  kOpen,
  kSave,
  kExecute,  // A red exclamation mark.
  kStop,     // A red cross.
  kCut,
  kCopy,
  kPaste,
  kAbout,  // A yellow question mark.
};

wxBitmap ToolBitmap(ToolImage image);

// The application icon, a grey game pad with a direction cross and four purple buttons, in
// 16 and 32 pixels; and the 32-pixel one alone, as the About box shows it.
wxIconBundle AppIcons();
wxBitmap AppBitmap();

// The document icon: a page with a game pad on its cable, in 16 and 32 pixels.
wxIconBundle DocumentIcons();

}  // namespace zarvel
