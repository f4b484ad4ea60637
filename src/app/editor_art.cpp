#include "app/editor_art.h"

#include <cstddef>
#include <iterator>

#include <wx/icon.h>

#include "app/editor_pictures.h"

namespace zarvel {

namespace {

// The size the tool images are designed at; the tool bar asks for the same in DIPs.
const wxSize kToolSize(16, 15);
// The size the About box shows the application icon at, before the screen's scale.
constexpr int kAboutIconSize = 32;
// From this size up, in pixels, an icon is drawn from its full drawing.
constexpr int kFullDrawingSize = 32;

// The drawing of each tool image, in the order of ToolImage.
constexpr std::string_view kToolDrawings[] = {
    "tool_new.svg", "tool_open.svg", "tool_save.svg",  "tool_execute.svg", "tool_stop.svg",
    "tool_cut.svg", "tool_copy.svg", "tool_paste.svg", "tool_about.svg",
};
static_assert(std::size(kToolDrawings) == static_cast<size_t>(ToolImage::kAbout) + 1);

// The two drawings of each icon, in the order of Icon.
struct IconDrawings {
  std::string_view small;
  std::string_view full;
};
constexpr IconDrawings kIconDrawings[] = {
    {"app_icon_16.svg", "app_icon.svg"},
    {"document_icon_16.svg", "document_icon.svg"},
};
static_assert(std::size(kIconDrawings) == static_cast<size_t>(Icon::kDocument) + 1);

std::string_view Drawing(std::string_view name) {
  for (const EditorPicture& picture : EditorPictures()) {
    if (picture.name == name) {
      return picture.svg;
    }
  }
  return {};
}

wxBitmapBundle FromDrawing(std::string_view name, const wxSize& size) {
  const std::string_view svg = Drawing(name);
  return wxBitmapBundle::FromSVG(reinterpret_cast<const wxByte*>(svg.data()), svg.size(), size);
}

wxIconBundle IconsAtEverySize(Icon icon) {
  wxIconBundle icons;
  for (const int size : kIconSizes) {
    wxIcon sized;
    sized.CopyFromBitmap(IconBitmap(icon, size));
    icons.AddIcon(sized);
  }
  return icons;
}

}  // namespace

wxBitmapBundle ToolBitmap(ToolImage image) {
  return FromDrawing(kToolDrawings[static_cast<size_t>(image)], kToolSize);
}

wxBitmap IconBitmap(Icon icon, int size) {
  const IconDrawings& drawings = kIconDrawings[static_cast<size_t>(icon)];
  const wxSize square(size, size);
  return FromDrawing(size < kFullDrawingSize ? drawings.small : drawings.full, square)
      .GetBitmap(square);
}

std::string_view IconSvg(Icon icon) {
  return Drawing(kIconDrawings[static_cast<size_t>(icon)].full);
}

wxIconBundle AppIcons() {
  return IconsAtEverySize(Icon::kApp);
}

wxBitmapBundle AppBitmap() {
  return FromDrawing(kIconDrawings[static_cast<size_t>(Icon::kApp)].full,
                     wxSize(kAboutIconSize, kAboutIconSize));
}

wxIconBundle DocumentIcons() {
  return IconsAtEverySize(Icon::kDocument);
}

}  // namespace zarvel
