#include "app/editor_art.h"

#include <wx/icon.h>

namespace zarvel {

namespace {

#include "app/icons/app_icon_16.xpm"
#include "app/icons/app_icon_32.xpm"
#include "app/icons/document_icon_16.xpm"
#include "app/icons/document_icon_32.xpm"
#include "app/icons/tool_about.xpm"
#include "app/icons/tool_copy.xpm"
#include "app/icons/tool_cut.xpm"
#include "app/icons/tool_execute.xpm"
#include "app/icons/tool_new.xpm"
#include "app/icons/tool_open.xpm"
#include "app/icons/tool_paste.xpm"
#include "app/icons/tool_save.xpm"
#include "app/icons/tool_stop.xpm"

const char* const* ToolXpm(ToolImage image) {
  switch (image) {
    case ToolImage::kNew:
      return tool_new_xpm;
    case ToolImage::kOpen:
      return tool_open_xpm;
    case ToolImage::kSave:
      return tool_save_xpm;
    case ToolImage::kExecute:
      return tool_execute_xpm;
    case ToolImage::kStop:
      return tool_stop_xpm;
    case ToolImage::kCut:
      return tool_cut_xpm;
    case ToolImage::kCopy:
      return tool_copy_xpm;
    case ToolImage::kPaste:
      return tool_paste_xpm;
    case ToolImage::kAbout:
      return tool_about_xpm;
  }
  return tool_about_xpm;
}

}  // namespace

wxBitmap ToolBitmap(ToolImage image) {
  return wxBitmap(ToolXpm(image));
}

wxIconBundle AppIcons() {
  wxIconBundle icons;
  icons.AddIcon(wxIcon(app_icon_16_xpm));
  icons.AddIcon(wxIcon(app_icon_32_xpm));
  return icons;
}

wxBitmap AppBitmap() {
  return wxBitmap(app_icon_32_xpm);
}

wxIconBundle DocumentIcons() {
  wxIconBundle icons;
  icons.AddIcon(wxIcon(document_icon_16_xpm));
  icons.AddIcon(wxIcon(document_icon_32_xpm));
  return icons;
}

}  // namespace zarvel
