// Writes the editor's application and document icons for the desktop's icon theme, drawn from
// the same drawings as the running editor's, so that the installed program and its .desktop
// entry look the same as its window:
//   zarvel-export-icons DIR  ->  DIR/zarvel-N.png and DIR/zarvel-document-N.png for each of the
//                                editor's icon sizes N (16, 32, 48, 128), and the scalable
//                                DIR/zarvel.svg and DIR/zarvel-document.svg
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include <wx/filename.h>
#include <wx/image.h>
#include <wx/init.h>

#include "app/editor_art.h"

namespace {

struct IconFile {
  const char* name;  // The icon's name in the theme, without size or extension.
  zarvel::Icon icon;
};

constexpr IconFile kIconFiles[] = {
    {"zarvel", zarvel::Icon::kApp},
    {"zarvel-document", zarvel::Icon::kDocument},
};

bool WriteText(const wxString& path, std::string_view text) {
  std::ofstream file(path.utf8_string(), std::ios::binary | std::ios::trunc);
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
  file.close();
  return file.good();
}

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
    const std::string svgName = std::string(icon.name) + ".svg";
    if (!WriteText(wxFileName(directory, svgName).GetFullPath(), zarvel::IconSvg(icon.icon))) {
      std::fprintf(stderr, "%s: could not write %s\n", argv[0], svgName.c_str());
      return 1;
    }
    for (const int size : zarvel::kIconSizes) {
      const std::string pngName = std::string(icon.name) + "-" + std::to_string(size) + ".png";
      const wxString path = wxFileName(directory, pngName).GetFullPath();
      if (!zarvel::IconBitmap(icon.icon, size).ConvertToImage().SaveFile(path, wxBITMAP_TYPE_PNG)) {
        std::fprintf(stderr, "%s: could not write %s\n", argv[0], pngName.c_str());
        return 1;
      }
    }
  }
  return 0;
}
