#include "app/hardware_pane.h"

#include <vector>

#include <wx/statusbr.h>
#include <wx/tooltip.h>

#include "app/command_ids.h"
#include "app/editor_texts.h"
#include "app/latin1_text.h"

namespace zarvel {
namespace {

// Room beside the pane's text for its borders, in pixels.
constexpr int kPanePadding = 12;

wxString PadsText(const HardwareChoice& choice) {
  switch (choice.parport) {
    case ParportBackEnd::kPpdev:
      return TextFromBytes(choice.ppdevDevice);
    case ParportBackEnd::kDirect:
      return kDirectPads;
    case ParportBackEnd::kSim:
      break;
  }
  return kSimulatedPads;
}

wxString KeysText(const HardwareChoice& choice) {
  switch (choice.keyboard) {
    case KeyboardBackEnd::kUinput:
      return kDesktopKeys;
    case KeyboardBackEnd::kDirect:
      return kControllerKeys;
    case KeyboardBackEnd::kSim:
      break;
  }
  return kSimulatedKeys;
}

// The tooltip of the pane under `where`: how to choose the hardware, or a text cut short.
wxString TipAt(wxStatusBar& bar, const wxPoint& where) {
  for (int pane = 0; pane < bar.GetFieldsCount(); ++pane) {
    wxRect rect;
    if (!bar.GetFieldRect(pane, rect) || !rect.Contains(where)) {
      continue;
    }
    if (pane == kHardwarePane) {
      return wxString::FromUTF8(kHardwarePaneTooltip);
    }
    const wxString text = bar.GetStatusText(pane);
    return bar.GetTextExtent(text).GetWidth() > rect.GetWidth() ? text : wxString();
  }
  return wxString();
}

}  // namespace

wxString HardwarePaneText(const HardwareChoice& choice) {
  if (choice.Simulated()) {
    return kSimulatedPc;
  }
  return wxString::Format(wxString::FromUTF8(kHardwarePaneFormat), PadsText(choice),
                          KeysText(choice));
}

void ShowHardwarePane(wxStatusBar& bar, const HardwareChoice& choice) {
  const wxString text = HardwarePaneText(choice);
  if (bar.GetStatusText(kHardwarePane) == text) {
    return;
  }
  std::vector<int> widths(static_cast<size_t>(bar.GetFieldsCount()));
  for (size_t pane = 0; pane < widths.size(); ++pane) {
    widths[pane] = bar.GetStatusWidth(static_cast<int>(pane));
  }
  int width = bar.GetTextExtent(text).GetWidth() + kPanePadding;
  // The size grip, a square as high as the bar, is drawn over the end of the last pane.
  if (kHardwarePane + 1 == bar.GetFieldsCount() && bar.HasFlag(wxSTB_SIZEGRIP)) {
    width += bar.GetSize().GetHeight();
  }
  widths[kHardwarePane] = width;
  bar.SetStatusWidths(static_cast<int>(widths.size()), widths.data());
  bar.SetStatusText(text, kHardwarePane);
}

void ShowStatusBarTips(wxStatusBar& bar) {
  bar.Bind(wxEVT_MOTION, [&bar](wxMouseEvent& event) {
    event.Skip();
    const wxString tip = TipAt(bar, event.GetPosition());
    // Changed only on the way from one pane to another, so the tooltip does not flicker.
    if (tip == bar.GetToolTipText()) {
      return;
    }
    if (tip.empty()) {
      bar.UnsetToolTip();
    } else {
      bar.SetToolTip(tip);
    }
  });
}

}  // namespace zarvel
