#pragma once

#include <cstdint>
#include <functional>

#include <wx/window.h>

#include "app/pad_shape.h"
#include "engine/pad_layout.h"
#include "engine/tick_snapshot.h"

namespace zarvel {

// One pad, drawn by the program: its section above, its shift state beside it, and its buttons,
// each with the key it types in that state written on it, lit while they read as pressed; the
// tooltip of a button gives its whole definition. A pad that seems unplugged is drawn grey. On
// a pad that the window may press (a simulated one of a running execution), the mouse holds a
// button down while its button is held, and a click with Shift or Ctrl latches it until it is
// clicked again. While a button is being chosen for Assign, a click chooses it instead.
// The keyboard works the picture too: the arrow keys move a focus from button to button, and
// Space does what a click does.
class PadPicture : public wxWindow {
 public:
  // Told the buttons the mouse now holds down, one bit per button of the read order.
  using HandChanged = std::function<void(uint32_t held)>;
  // Told the button a click chose, by its index in the read order.
  using ButtonChosen = std::function<void(int button)>;

  PadPicture(wxWindow* parent, PadLayout layout, HandChanged handChanged, ButtonChosen chosen);

  const PadLayout& Layout() const { return layout_; }
  // Takes a layout of the same pad with other definitions, as the text now gives them.
  void SetLayout(PadLayout layout);
  // Labels the buttons with the keys of this shift state; -1 for the state the pad reads as.
  void ShowState(int state);
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
  // The button the keyboard's focus is on, by its index in the read order.
  int FocusedButton() const;

 protected:
  wxSize DoGetBestClientSize() const override;

 private:
  void OnPaint(wxPaintEvent& event);
  void OnLeftDown(wxMouseEvent& event);
  void OnLeftUp(wxMouseEvent& event);
  void OnCaptureLost(wxMouseCaptureLostEvent& event);
  void OnMotion(wxMouseEvent& event);
  void OnKeyDown(wxKeyEvent& event);
  void OnKeyUp(wxKeyEvent& event);
  // A press of the button, by the mouse or by Space: chooses it, latches it or holds it.
  void Press(int button, bool latch);
  // Moves the focus to the nearest button in the direction (dx, dy); returns whether it moved.
  bool MoveFocus(int dx, int dy);
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
  int shownState_ = -1;
  int hover_ = -1;    // The button the tooltip is of.
  size_t focus_ = 0;  // The focused button's place in the shape's list.
  bool spaceDown_ = false;
  bool downSinceUp_ = false;  // The left mouse button went down and has not come up since.
  uint32_t held_ = 0;         // Held while the mouse button is.
  uint32_t latched_ = 0;      // Held until clicked again.
};

}  // namespace zarvel
