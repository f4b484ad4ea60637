#pragma once

#include <cstdint>
#include <string_view>

#include <wx/bitmap.h>
#include <wx/bmpbndl.h>
#include <wx/iconbndl.h>

namespace zarvel {

// The tool bar's images, in the order of the bar. Each is drawn from an SVG drawing at 16 by
// 15 pixels and at whatever multiple of that the screen's scale asks for, so that it stays sharp
// on high-density screens.
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

wxBitmapBundle ToolBitmap(ToolImage image);

// The application icon, a grey game pad with a direction cross and four purple buttons; and
// the document icon, a page with a game pad on its cable.
enum class Icon : uint8_t {
  kApp,
  kDocument,
};

// The sizes, in pixels, at which the window and the desktop's icon theme are given the icons.
inline constexpr int kIconSizes[] = {16, 32, 48, 128};

// The icon drawn size pixels square. Below 32 pixels it comes from a small drawing whose lines
// lie on whole pixels, since the full drawing would blur there.
wxBitmap IconBitmap(Icon icon, int size);

// The full drawing of the icon as SVG text, the desktop's scalable icon.
std::string_view IconSvg(Icon icon);

// The icons at each of kIconSizes, for the window; and the application icon at 32 pixels and
// any multiple, as the About box shows it.
wxIconBundle AppIcons();
wxBitmapBundle AppBitmap();
wxIconBundle DocumentIcons();

}  // namespace zarvel
