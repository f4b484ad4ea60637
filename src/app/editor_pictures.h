#pragma once

#include <span>
#include <string_view>

namespace zarvel {

// One of the editor's drawings (the SVG files of src/app/icons), carried inside the binary so
// that the installed editor needs no files beside it to draw its tool bar and icons.
struct EditorPicture {
  std::string_view name;  // The drawing's file name, such as "tool_new.svg".
  std::string_view svg;
};

// Every drawing, generated at build time by cmake/EmbedFiles.cmake.
std::span<const EditorPicture> EditorPictures();

}  // namespace zarvel
