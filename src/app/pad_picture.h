#pragma once

#include <cstdint>
#include <functional>

#include <wx/window.h>

#include "app/pad_shape.h"
#include "engine/pad_layout.h"
#include "engine/tick_snapshot.h"

namespace zarvel {

// One pad of the running execution, drawn by the program: its section above, its shift state
// beside it, and its buttons, lit while they read as pressed. A pad that seems unplugged is
// drawn grey. On a pad that the window may press (a simulated one), the mouse holds a button
// down while its button is held, and a click with Shift or Ctrl latches it until it is clicked
// again.
// While a button is being chosen for Assign, a click chooses it instead.
class PadPicture : public wxWindow {
 public:
  // Told the buttons the mouse now holds down, one bit per button of the read order.
  using HandChanged = std::function<void(uint32_t held)>;
  // Told the button a click chose, by its index in the read order.
  using ButtonChosen = std::function<void(int button)>;

  PadPicture(wxWindow* parent, PadLayout layout, HandChanged handChanged, ButtonChosen chosen);

  const PadLayout& Layout() const { return layout_; }
  // Redraws only when what the picture shows has changed.
  void ShowReading(const PadReading& reading);
  const PadReading& Reading() const { return reading_; }
  // Whether the mouse may press buttons: only a simulated pad of a running execution.
  void SetPressable(bool pressable);
  void SetChoosing(bool choosing) { choosing_ = choosing; }
  // Outlines the button chosen for Assign; -1 for none.
  void MarkChosen(int button);

  // Where a button is drawn, in the window's coordinates: what a user (or a test) clicks.
  wxPoint ButtonCentre(const std::string& name) const;
  uint32_t HeldByHand() const { return held_ | latched_; }

  bool AcceptsFocus() const override { return false; }

 protected:
  wxSize DoGetBestClientSize() const override;

 private:
  void OnPaint(wxPaintEvent& event);
  void OnLeftDown(wxMouseEvent& event);
  void OnLeftUp(wxMouseEvent& event);
  void OnCaptureLost(wxMouseCaptureLostEvent& event);
  void LetGo();
  void TellHand();

  // The height of the line above the drawing that names the pad, in pixels.
  int TitleHeight() const;
  // The scale and offset from the shape's units to the window's pixels.
  double Scale() const;
  wxPoint Origin() const;
  wxRect ToWindow(const wxRect& place) const;
  int ButtonAt(wxPoint point) const;

  PadLayout layout_;
  const PadShape& shape_;
  HandChanged handChanged_;
  ButtonChosen chosen_;
  PadReading reading_;
  bool pressable_ = false;
  bool choosing_ = false;
  int marked_ = -1;
  uint32_t held_ = 0;     // Held while the mouse button is.
  uint32_t latched_ = 0;  // Held until clicked again.
};

}  // namespace zarvel
