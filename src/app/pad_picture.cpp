#include "app/pad_picture.h"

#include <algorithm>
#include <cstdlib>

#include <wx/dcbuffer.h>
#include <wx/settings.h>

#include "app/editor_texts.h"

namespace zarvel {
namespace {

// The picture's colours: a light body, dark buttons, and a lit button in amber, so a press
// shows at a glance in light and dark desktop themes alike.
const wxColour kBodyColour(214, 214, 220);
const wxColour kBodyEdge(120, 120, 130);
const wxColour kButtonColour(70, 70, 80);
const wxColour kLitColour(255, 176, 0);
const wxColour kLatchedEdge(200, 40, 40);
const wxColour kChosenEdge(30, 110, 230);
const wxColour kGreyBody(232, 232, 232);
const wxColour kGreyButton(190, 190, 190);
// What ends a key's name cut short to fit its button.
constexpr wchar_t kCutMark[] = L"\u2026";
// The smallest size a key's name on a button is written in, in points.
constexpr double kSmallestLabelPoints = 5.5;
// Room round the drawing, in the shape's units.
constexpr int kMargin = 4;

}  // namespace

PadPicture::PadPicture(wxWindow* parent, PadLayout layout, HandChanged handChanged,
                       ButtonChosen chosen)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
               wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS),
      layout_(std::move(layout)),
      shape_(PadShape::OfKind(layout_.kind)),
      handChanged_(std::move(handChanged)),
      chosen_(std::move(chosen)) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  SetName(layout_.header);
  Bind(wxEVT_PAINT, &PadPicture::OnPaint, this);
  Bind(wxEVT_LEFT_DOWN, &PadPicture::OnLeftDown, this);
  Bind(wxEVT_LEFT_DCLICK, &PadPicture::OnLeftDown, this);
  Bind(wxEVT_LEFT_UP, &PadPicture::OnLeftUp, this);
  Bind(wxEVT_MOUSE_CAPTURE_LOST, &PadPicture::OnCaptureLost, this);
  Bind(wxEVT_MOTION, &PadPicture::OnMotion, this);
  Bind(wxEVT_KEY_DOWN, &PadPicture::OnKeyDown, this);
  Bind(wxEVT_KEY_UP, &PadPicture::OnKeyUp, this);
  Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
    Refresh(false);
    event.Skip();
  });
  Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
    LetGo();
    Refresh(false);
    event.Skip();
  });
}

void PadPicture::SetLayout(PadLayout layout) {
  layout_ = std::move(layout);
  if (hover_ >= 0) {
    SetToolTip(wxString::FromUTF8(layout_.Description(hover_)));
  }
  Refresh(false);
}

void PadPicture::ShowState(int state) {
  if (shownState_ != state) {
    shownState_ = state;
    Refresh(false);
  }
}

int PadPicture::FocusedButton() const {
  return focus_ < shape_.buttons.size() ? layout_.ButtonIndex(shape_.buttons[focus_].name) : -1;
}

wxSize PadPicture::DoGetBestClientSize() const {
  return {FromDIP(PadShape::kWidth + 2 * kMargin),
          TitleHeight() + FromDIP(shape_.height + 2 * kMargin)};
}

int PadPicture::TitleHeight() const {
  return GetCharHeight() + FromDIP(4);
}

double PadPicture::Scale() const {
  const wxSize size = GetClientSize();
  const double across = static_cast<double>(size.GetWidth()) / (PadShape::kWidth + 2 * kMargin);
  const double down =
      static_cast<double>(size.GetHeight() - TitleHeight()) / (shape_.height + 2 * kMargin);
  return std::max(0.1, std::min(across, down));
}

wxPoint PadPicture::Origin() const {
  const double scale = Scale();
  const int width = static_cast<int>((PadShape::kWidth + 2 * kMargin) * scale);
  return {(GetClientSize().GetWidth() - width) / 2 + static_cast<int>(kMargin * scale),
          TitleHeight() + static_cast<int>(kMargin * scale)};
}

wxRect PadPicture::ToWindow(const wxRect& place) const {
  const double scale = Scale();
  const wxPoint origin = Origin();
  return {origin.x + static_cast<int>(place.x * scale),
          origin.y + static_cast<int>(place.y * scale),
          std::max(1, static_cast<int>(place.width * scale)),
          std::max(1, static_cast<int>(place.height * scale))};
}

int PadPicture::ButtonAt(wxPoint point) const {
  for (const ButtonShape& button : shape_.buttons) {
    if (ToWindow(button.place).Contains(point)) {
      return layout_.ButtonIndex(button.name);
    }
  }
  return -1;
}

wxPoint PadPicture::ButtonCentre(const std::string& name) const {
  const ButtonShape* button = shape_.Button(name);
  if (button == nullptr) {
    return wxDefaultPosition;
  }
  const wxRect place = ToWindow(button->place);
  return {place.x + place.width / 2, place.y + place.height / 2};
}

void PadPicture::ShowReading(const PadReading& reading) {
  if (reading != reading_) {
    reading_ = reading;
    Refresh(false);
  }
}

void PadPicture::SetPressable(bool pressable) {
  if (pressable_ == pressable) {
    return;
  }
  pressable_ = pressable;
  if (!pressable) {
    // An execution that ended took the held buttons with it.
    if (HasCapture()) {
      ReleaseMouse();
    }
    held_ = 0;
    latched_ = 0;
  }
  Refresh(false);
}

void PadPicture::MarkChosen(int button) {
  if (marked_ != button) {
    marked_ = button;
    Refresh(false);
  }
}

void PadPicture::OnLeftDown(wxMouseEvent& event) {
  // The second press of a double click comes as a double click, sometimes after a press of its
  // own: it counts once.
  const bool again = event.ButtonDClick() && downSinceUp_;
  downSinceUp_ = true;
  const int button = ButtonAt(event.GetPosition());
  if (button < 0 || again) {
    return;
  }
  for (size_t i = 0; i < shape_.buttons.size(); ++i) {
    if (layout_.ButtonIndex(shape_.buttons[i].name) == button) {
      focus_ = i;
    }
  }
  Press(button, event.ShiftDown() || event.ControlDown());
  if ((held_ >> button & 1u) != 0 && !HasCapture()) {
    CaptureMouse();
  }
}

void PadPicture::Press(int button, bool latch) {
  if (choosing_) {
    if (chosen_) {
      chosen_(button);
    }
    return;
  }
  if (!pressable_) {
    return;
  }
  const uint32_t bit = uint32_t{1} << button;
  if (latch || (latched_ & bit) != 0) {
    // A latched button stays down until it is clicked again, with a modifier or without.
    latched_ ^= bit;
  } else {
    held_ |= bit;
  }
  TellHand();
}

void PadPicture::OnMotion(wxMouseEvent& event) {
  event.Skip();
  const int button = ButtonAt(event.GetPosition());
  if (button == hover_) {
    return;
  }
  hover_ = button;
  if (button < 0) {
    UnsetToolTip();
  } else {
    SetToolTip(wxString::FromUTF8(layout_.Description(button)));
  }
}

void PadPicture::OnKeyDown(wxKeyEvent& event) {
  const int key = event.GetKeyCode();
  if (key == WXK_SPACE) {
    const int button = FocusedButton();
    // The key repeats while held; only its first press counts.
    if (button >= 0 && !spaceDown_) {
      spaceDown_ = true;
      Press(button, event.ShiftDown() || event.ControlDown());
    }
    return;
  }
  const struct {
    int key;
    int dx;
    int dy;
  } arrows[] = {{WXK_LEFT, -1, 0}, {WXK_RIGHT, 1, 0}, {WXK_UP, 0, -1}, {WXK_DOWN, 0, 1}};
  for (const auto& arrow : arrows) {
    if (key == arrow.key) {
      if (!MoveFocus(arrow.dx, arrow.dy)) {
        // Past the picture's edge the focus goes to the pad before or after.
        Navigate(arrow.dx + arrow.dy > 0 ? wxNavigationKeyEvent::IsForward
                                         : wxNavigationKeyEvent::IsBackward);
      }
      return;
    }
  }
  if (key == WXK_TAB) {
    Navigate(event.ShiftDown() ? wxNavigationKeyEvent::IsBackward
                               : wxNavigationKeyEvent::IsForward);
    return;
  }
  event.Skip();
}

void PadPicture::OnKeyUp(wxKeyEvent& event) {
  if (event.GetKeyCode() == WXK_SPACE) {
    spaceDown_ = false;
    LetGo();
    return;
  }
  event.Skip();
}

bool PadPicture::MoveFocus(int dx, int dy) {
  if (shape_.buttons.empty()) {
    return false;
  }
  const wxRect& from = shape_.buttons[std::min(focus_, shape_.buttons.size() - 1)].place;
  const int fromX = from.x + from.width / 2;
  const int fromY = from.y + from.height / 2;
  // The nearest button ahead, what lies to the side counting three times what lies ahead.
  long best = -1;
  for (size_t i = 0; i < shape_.buttons.size(); ++i) {
    const wxRect& place = shape_.buttons[i].place;
    const int ahead =
        (place.x + place.width / 2 - fromX) * dx + (place.y + place.height / 2 - fromY) * dy;
    const int aside =
        (place.x + place.width / 2 - fromX) * dy + (place.y + place.height / 2 - fromY) * dx;
    if (ahead <= 0 || layout_.ButtonIndex(shape_.buttons[i].name) < 0) {
      continue;
    }
    const long cost = ahead + 3L * std::abs(aside);
    if (best < 0 || cost < best) {
      best = cost;
      focus_ = i;
    }
  }
  Refresh(false);
  return best >= 0;
}

void PadPicture::OnLeftUp(wxMouseEvent& /*event*/) {
  downSinceUp_ = false;
  LetGo();
}

void PadPicture::OnCaptureLost(wxMouseCaptureLostEvent& /*event*/) {
  held_ = 0;
  TellHand();
}

void PadPicture::LetGo() {
  if (HasCapture()) {
    ReleaseMouse();
  }
  if (held_ != 0) {
    held_ = 0;
    TellHand();
  }
}

void PadPicture::TellHand() {
  if (handChanged_) {
    handChanged_(held_ | latched_);
  }
  Refresh(false);
}

void PadPicture::OnPaint(wxPaintEvent& /*event*/) {
  wxAutoBufferedPaintDC dc(this);
  dc.SetBackground(wxBrush(GetBackgroundColour()));
  dc.Clear();
  const bool grey = reading_.unplugged;
  const wxColour text =
      wxSystemSettings::GetColour(grey ? wxSYS_COLOUR_GRAYTEXT : wxSYS_COLOUR_WINDOWTEXT);

  // The section on the left, the shift state on the right.
  wxFont bold = GetFont().Bold();
  dc.SetFont(bold);
  dc.SetTextForeground(text);
  dc.DrawText(layout_.header, FromDIP(2), FromDIP(1));
  dc.SetFont(GetFont());
  const int state = shownState_ >= 0 ? shownState_ : reading_.shift;
  const wxString stateText =
      grey ? wxString(kUnpluggedLabel) : wxString(layout_.ShiftStateText(state));
  const int stateWidth = dc.GetTextExtent(stateText).GetWidth();
  dc.DrawText(stateText, GetClientSize().GetWidth() - stateWidth - FromDIP(2), FromDIP(1));

  const double scale = Scale();
  dc.SetPen(wxPen(grey ? kGreyButton : kBodyEdge));
  dc.SetBrush(wxBrush(grey ? kGreyBody : kBodyColour));
  dc.DrawRoundedRectangle(ToWindow(shape_.body), shape_.bodyRadius * scale);
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(grey ? kGreyButton : kButtonColour));
  dc.DrawRectangle(ToWindow(shape_.crossCentre));

  wxFont small = GetFont();
  small.SetFractionalPointSize(std::max(6.0, small.GetFractionalPointSize() * 0.8));
  for (const ButtonShape& button : shape_.buttons) {
    const int index = layout_.ButtonIndex(button.name);
    if (index < 0) {
      continue;
    }
    const uint32_t bit = uint32_t{1} << index;
    const bool lit = !grey && reading_.Pressed(index);
    const wxRect place = ToWindow(button.place);
    wxPen edge(grey ? kGreyButton : kButtonColour);
    if (index == marked_) {
      edge = wxPen(kChosenEdge, FromDIP(3));
    } else if ((latched_ & bit) != 0) {
      edge = wxPen(kLatchedEdge, FromDIP(2));
    }
    dc.SetPen(edge);
    dc.SetBrush(wxBrush(lit ? kLitColour : grey ? kGreyButton : kButtonColour));
    if (button.round) {
      dc.DrawEllipse(place);
    } else {
      dc.DrawRoundedRectangle(place, std::min(place.width, place.height) / 4.0);
    }
    if (HasFocus() && focus_ < shape_.buttons.size() && &shape_.buttons[focus_] == &button) {
      dc.SetPen(wxPen(text, 1, wxPENSTYLE_DOT));
      dc.SetBrush(*wxTRANSPARENT_BRUSH);
      dc.DrawRectangle(wxRect(place).Inflate(FromDIP(3)));
    }
    // The key the button types, in the state shown; a button that types nothing there keeps
    // its own name only where the name is written beside it.
    wxString label = wxString::FromUTF8(layout_.KeyLabel(index, state));
    if (label.empty() && button.labelBelow) {
      label = button.label;
    }
    if (label.empty()) {
      continue;
    }
    // A long name is written smaller, down to a size still read, and then cut short.
    const int room = button.labelBelow ? place.width * 3 / 2 : place.width + FromDIP(2);
    wxFont font = small;
    dc.SetFont(font);
    wxSize extent = dc.GetTextExtent(label);
    while (extent.GetWidth() > room && font.GetFractionalPointSize() > kSmallestLabelPoints) {
      font.SetFractionalPointSize(
          std::max(kSmallestLabelPoints, font.GetFractionalPointSize() - 0.5));
      dc.SetFont(font);
      extent = dc.GetTextExtent(label);
    }
    while (extent.GetWidth() > room && label.length() > 1) {
      label = label.Left(label.length() - (label.EndsWith(kCutMark) ? 2 : 1)) + kCutMark;
      extent = dc.GetTextExtent(label);
    }
    if (button.labelBelow) {
      dc.SetTextForeground(text);
      dc.DrawText(label, place.x + (place.width - extent.GetWidth()) / 2,
                  place.GetBottom() + FromDIP(1));
    } else {
      dc.SetTextForeground(lit ? *wxBLACK : *wxWHITE);
      dc.DrawText(label, place.x + (place.width - extent.GetWidth()) / 2,
                  place.y + (place.height - extent.GetHeight()) / 2);
    }
  }
}

}  // namespace zarvel
