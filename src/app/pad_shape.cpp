#include "app/pad_shape.h"

#include "config/pad_sections.h"

namespace zarvel {
namespace {

// Both kinds have the same cross of direction keys on the left and the same select and start
// keys in the middle.
void AddCrossAndMiddle(PadShape& shape, int centreY, int middleY) {
  constexpr int kArm = 13;
  constexpr int kBreadth = 12;
  const int x = 40;
  std::vector<ButtonShape>& buttons = shape.buttons;
  shape.crossCentre = {x - kBreadth / 2, centreY - kBreadth / 2, kBreadth, kBreadth};
  buttons.push_back({"up", "", {x - kBreadth / 2, centreY - kBreadth / 2 - kArm, kBreadth, kArm}});
  buttons.push_back({"down", "", {x - kBreadth / 2, centreY + kBreadth / 2, kBreadth, kArm}});
  buttons.push_back(
      {"left", "", {x - kBreadth / 2 - kArm, centreY - kBreadth / 2, kArm, kBreadth}});
  buttons.push_back({"right", "", {x + kBreadth / 2, centreY - kBreadth / 2, kArm, kBreadth}});
  // Far enough apart for their labels underneath.
  buttons.push_back({"select", "select", {66, middleY, 22, 8}, false, true});
  buttons.push_back({"start", "start", {104, middleY, 22, 8}, false, true});
}

PadShape MakeSnesShape() {
  PadShape shape;
  shape.height = 96;
  shape.body = {6, 20, 188, 72};
  shape.bodyRadius = 34;
  shape.buttons.push_back({"l", "L", {22, 8, 44, 14}});
  shape.buttons.push_back({"r", "R", {134, 8, 44, 14}});
  AddCrossAndMiddle(shape, 56, 58);
  constexpr int kFace = 18;
  const auto face = [](const char* name, const char* label, int x, int y) {
    return ButtonShape{name, label, {x - kFace / 2, y - kFace / 2, kFace, kFace}, true};
  };
  shape.buttons.push_back(face("x", "X", 152, 38));
  shape.buttons.push_back(face("a", "A", 172, 56));
  shape.buttons.push_back(face("b", "B", 152, 74));
  shape.buttons.push_back(face("y", "Y", 132, 56));
  return shape;
}

PadShape MakeNesShape() {
  PadShape shape;
  shape.height = 80;
  shape.body = {6, 10, 188, 64};
  shape.bodyRadius = 6;
  AddCrossAndMiddle(shape, 42, 40);
  constexpr int kFace = 20;
  shape.buttons.push_back({"b", "B", {142 - kFace / 2, 48 - kFace / 2, kFace, kFace}, true});
  shape.buttons.push_back({"a", "A", {170 - kFace / 2, 48 - kFace / 2, kFace, kFace}, true});
  return shape;
}

// The PlayStation pad: two shoulder buttons on each side, the four symbol buttons on the right,
// and below the middle the two sticks, each a ring of its four directions around the button
// pressed by pushing it down (l3, r3).
PadShape MakePsxShape() {
  PadShape shape;
  shape.height = 130;
  shape.body = {6, 22, 188, 104};
  shape.bodyRadius = 30;
  shape.buttons.push_back({"l2", "L2", {18, 0, 40, 10}});
  shape.buttons.push_back({"l1", "L1", {18, 11, 40, 10}});
  shape.buttons.push_back({"r2", "R2", {142, 0, 40, 10}});
  shape.buttons.push_back({"r1", "R1", {142, 11, 40, 10}});
  AddCrossAndMiddle(shape, 54, 50);
  constexpr int kFace = 16;
  const auto face = [](const char* name, const char* label, int x, int y) {
    return ButtonShape{name, label, {x - kFace / 2, y - kFace / 2, kFace, kFace}, true};
  };
  shape.buttons.push_back(face("triangle", "/\\", 160, 36));
  shape.buttons.push_back(face("square", "[]", 142, 54));
  shape.buttons.push_back(face("circle", "O", 178, 54));
  shape.buttons.push_back(face("cross", "X", 160, 72));
  const auto stick = [&shape](const char* prefix, const char* press, int x, int y) {
    constexpr int kDot = 8;
    constexpr int kReach = 11;
    const std::string p(prefix);
    shape.buttons.push_back({press, "", {x - kDot / 2, y - kDot / 2, kDot, kDot}, true});
    shape.buttons.push_back({p + "up", "", {x - kDot / 2, y - kReach - kDot / 2, kDot, kDot / 2}});
    shape.buttons.push_back({p + "down", "", {x - kDot / 2, y + kReach, kDot, kDot / 2}});
    shape.buttons.push_back(
        {p + "left", "", {x - kReach - kDot / 2, y - kDot / 2, kDot / 2, kDot}});
    shape.buttons.push_back({p + "right", "", {x + kReach, y - kDot / 2, kDot / 2, kDot}});
  };
  stick("l", "l3", 72, 96);
  stick("r", "r3", 128, 96);
  return shape;
}

// The Sega Genesis pad: its cross, start in the middle with mode above it, and the face buttons
// in two rows, x y z over a b c. A three-button pad never lights the upper row or mode.
PadShape MakeGenesisShape() {
  PadShape shape;
  shape.height = 90;
  shape.body = {6, 10, 188, 74};
  shape.bodyRadius = 30;
  AddCrossAndMiddle(shape, 46, 56);
  // The pad has no select; mode sits where it would.
  shape.buttons.erase(shape.buttons.end() - 2);
  shape.buttons.push_back({"mode", "mode", {85, 30, 22, 8}, false, true});
  constexpr int kFace = 16;
  const auto face = [](const char* name, const char* label, int x, int y) {
    return ButtonShape{name, label, {x - kFace / 2, y - kFace / 2, kFace, kFace}, true};
  };
  shape.buttons.push_back(face("x", "X", 142, 34));
  shape.buttons.push_back(face("y", "Y", 162, 30));
  shape.buttons.push_back(face("z", "Z", 182, 26));
  shape.buttons.push_back(face("a", "A", 142, 60));
  shape.buttons.push_back(face("b", "B", 162, 56));
  shape.buttons.push_back(face("c", "C", 182, 52));
  return shape;
}

// The Atari-style stick, drawn as its direction cross and its two fire buttons.
PadShape MakeAtariShape() {
  PadShape shape;
  shape.height = 80;
  shape.body = {6, 10, 188, 64};
  shape.bodyRadius = 10;
  AddCrossAndMiddle(shape, 42, 40);
  // The stick has no select or start.
  shape.buttons.resize(shape.buttons.size() - 2);
  constexpr int kFace = 20;
  shape.buttons.push_back({"fire", "1", {142 - kFace / 2, 42 - kFace / 2, kFace, kFace}, true});
  shape.buttons.push_back({"fire2", "2", {170 - kFace / 2, 42 - kFace / 2, kFace, kFace}, true});
  return shape;
}

}  // namespace

const PadShape& PadShape::OfKind(const std::string& kind) {
  static const PadShape kSnes = MakeSnesShape();
  static const PadShape kNes = MakeNesShape();
  static const PadShape kPsx = MakePsxShape();
  static const PadShape kAtari = MakeAtariShape();
  static const PadShape kGenesis = MakeGenesisShape();
  if (kind == kPsxSectionName) {
    return kPsx;
  }
  if (kind == kAtariSectionName) {
    return kAtari;
  }
  if (kind == kGenesisSectionName) {
    return kGenesis;
  }
  return kind == kSnesSectionName ? kSnes : kNes;
}

const ButtonShape* PadShape::ButtonAt(wxPoint point) const {
  for (const ButtonShape& button : buttons) {
    if (button.place.Contains(point)) {
      return &button;
    }
  }
  return nullptr;
}

const ButtonShape* PadShape::Button(const std::string& name) const {
  for (const ButtonShape& button : buttons) {
    if (button.name == name) {
      return &button;
    }
  }
  return nullptr;
}

}  // namespace zarvel
