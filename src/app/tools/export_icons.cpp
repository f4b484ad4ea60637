// Writes the editor's icons as PNG files for the desktop's icon theme, so that the installed
// program and its .desktop entry show the same drawings as the running editor.
//   zarvel-export-icons DIR  ->  DIR/zarvel-16.png, DIR/zarvel-32.png,
//                                DIR/zarvel-document-16.png, DIR/zarvel-document-32.png
#include <cstdio>

#include <wx/filename.h>
#include <wx/image.h>
#include <wx/init.h>

namespace {

#include "app/icons/app_icon_16.xpm"
#include "app/icons/app_icon_32.xpm"
#include "app/icons/document_icon_16.xpm"
#include "app/icons/document_icon_32.xpm"

struct IconFile {
  const char* name;
  const char* const* xpm;
};

constexpr IconFile kIconFiles[] = {
    {"zarvel-16.png", app_icon_16_xpm},
    {"zarvel-32.png", app_icon_32_xpm},
    {"zarvel-document-16.png", document_icon_16_xpm},
    {"zarvel-document-32.png", document_icon_32_xpm},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  wxInitializer initializer;
  if (!initializer.IsOk()) {
    std::fprintf(stderr, "%s: the framework could not be initialised\n", argv[0]);
    return 1;
  }
  wxImage::AddHandler(new wxPNGHandler);
  const wxString directory = wxString::FromUTF8(argv[1]);
  for (const IconFile& icon : kIconFiles) {
    const wxString path = wxFileName(directory, icon.name).GetFullPath();
    if (!wxImage(icon.xpm).SaveFile(path, wxBITMAP_TYPE_PNG)) {
      std::fprintf(stderr, "%s: could not write %s\n", argv[0], icon.name);
      return 1;
    }
  }
  return 0;
}
