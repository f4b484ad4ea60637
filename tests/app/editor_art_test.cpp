#include "app/editor_art.h"

#include <gtest/gtest.h>
#include <wx/icon.h>
#include <wx/image.h>

namespace zarvel::testing {
namespace {

// The share of a picture's pixels that are drawn (at least half opaque).
double InkedShare(const wxBitmap& bitmap) {
  const wxImage image = bitmap.ConvertToImage();
  if (!image.IsOk() || !image.HasAlpha()) {
    return 0;
  }
  int inked = 0;
  for (int y = 0; y < image.GetHeight(); ++y) {
    for (int x = 0; x < image.GetWidth(); ++x) {
      inked += image.GetAlpha(x, y) >= 0x80 ? 1 : 0;
    }
  }
  return static_cast<double>(inked) / (image.GetWidth() * image.GetHeight());
}

// Even the sparest picture (the scissors) covers more than this share of its square.
constexpr double kLeastInk = 0.1;

TEST(EditorArt, ToolImagesAndWindowIconsAreDrawnAtEverySizeTheScreenAsksFor) {
  for (int image = 0; image <= static_cast<int>(ToolImage::kAbout); ++image) {
    SCOPED_TRACE(image);
    const wxBitmapBundle bundle = ToolBitmap(static_cast<ToolImage>(image));
    ASSERT_TRUE(bundle.IsOk());
    EXPECT_EQ(bundle.GetDefaultSize(), wxSize(16, 15));
    // What the tool bar asks for on a screen of twice the density.
    const wxSize doubled = bundle.GetPreferredBitmapSizeAtScale(2.0);
    EXPECT_EQ(doubled, wxSize(32, 30));
    const wxBitmap bitmap = bundle.GetBitmap(doubled);
    EXPECT_EQ(bitmap.GetSize(), doubled);
    EXPECT_GT(InkedShare(bitmap), kLeastInk);
  }

  const wxIconBundle icons = AppIcons();
  for (const int size : {16, 32, 48, 128}) {
    SCOPED_TRACE(size);
    const wxIcon icon = icons.GetIconOfExactSize(size);
    ASSERT_TRUE(icon.IsOk());
    wxBitmap bitmap;
    bitmap.CopyFromIcon(icon);
    EXPECT_GT(InkedShare(bitmap), kLeastInk);
  }
}

}  // namespace
}  // namespace zarvel::testing
