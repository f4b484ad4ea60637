#include "hardware/scan_codes.h"

#include <linux/input-event-codes.h>

#include <initializer_list>

namespace zarvel {
namespace {

using enum ScanCodeForm;

// Scan code set 1 of a 105-key keyboard, row by row: the function row, the four rows of the
// main block, the bottom row, the navigation block and the keypad. The codes are those the
// keyboard controller hands the system with translation on, as a PC keyboard is normally run.
constexpr ScanCodeKey kKeys[] = {
    {"esc", kPlain, 0x01, KEY_ESC},
    {"f1", kPlain, 0x3B, KEY_F1},
    {"f2", kPlain, 0x3C, KEY_F2},
    {"f3", kPlain, 0x3D, KEY_F3},
    {"f4", kPlain, 0x3E, KEY_F4},
    {"f5", kPlain, 0x3F, KEY_F5},
    {"f6", kPlain, 0x40, KEY_F6},
    {"f7", kPlain, 0x41, KEY_F7},
    {"f8", kPlain, 0x42, KEY_F8},
    {"f9", kPlain, 0x43, KEY_F9},
    {"f10", kPlain, 0x44, KEY_F10},
    {"f11", kPlain, 0x57, KEY_F11},
    {"f12", kPlain, 0x58, KEY_F12},
    {"printscreen", kExtendedWithFakeShift, 0x37, KEY_SYSRQ},
    {"scrolllock", kPlain, 0x46, KEY_SCROLLLOCK},
    {"pause", kPause, 0x45, KEY_PAUSE},

    {"grave", kPlain, 0x29, KEY_GRAVE},
    {"1", kPlain, 0x02, KEY_1},
    {"2", kPlain, 0x03, KEY_2},
    {"3", kPlain, 0x04, KEY_3},
    {"4", kPlain, 0x05, KEY_4},
    {"5", kPlain, 0x06, KEY_5},
    {"6", kPlain, 0x07, KEY_6},
    {"7", kPlain, 0x08, KEY_7},
    {"8", kPlain, 0x09, KEY_8},
    {"9", kPlain, 0x0A, KEY_9},
    {"0", kPlain, 0x0B, KEY_0},
    {"minus", kPlain, 0x0C, KEY_MINUS},
    {"equal", kPlain, 0x0D, KEY_EQUAL},
    {"backspace", kPlain, 0x0E, KEY_BACKSPACE},

    {"tab", kPlain, 0x0F, KEY_TAB},
    {"q", kPlain, 0x10, KEY_Q},
    {"w", kPlain, 0x11, KEY_W},
    {"e", kPlain, 0x12, KEY_E},
    {"r", kPlain, 0x13, KEY_R},
    {"t", kPlain, 0x14, KEY_T},
    {"y", kPlain, 0x15, KEY_Y},
    {"u", kPlain, 0x16, KEY_U},
    {"i", kPlain, 0x17, KEY_I},
    {"o", kPlain, 0x18, KEY_O},
    {"p", kPlain, 0x19, KEY_P},
    {"lbracket", kPlain, 0x1A, KEY_LEFTBRACE},
    {"rbracket", kPlain, 0x1B, KEY_RIGHTBRACE},
    {"enter", kPlain, 0x1C, KEY_ENTER},

    {"capslock", kPlain, 0x3A, KEY_CAPSLOCK},
    {"a", kPlain, 0x1E, KEY_A},
    {"s", kPlain, 0x1F, KEY_S},
    {"d", kPlain, 0x20, KEY_D},
    {"f", kPlain, 0x21, KEY_F},
    {"g", kPlain, 0x22, KEY_G},
    {"h", kPlain, 0x23, KEY_H},
    {"j", kPlain, 0x24, KEY_J},
    {"k", kPlain, 0x25, KEY_K},
    {"l", kPlain, 0x26, KEY_L},
    {"semicolon", kPlain, 0x27, KEY_SEMICOLON},
    {"apostrophe", kPlain, 0x28, KEY_APOSTROPHE},
    // The key left of enter on the 105-key layout (# ~ on many of them).
    {"backslash", kPlain, 0x2B, KEY_BACKSLASH},

    {"lshift", kPlain, 0x2A, KEY_LEFTSHIFT},
    // The extra key of the 105-key layout, between the left shift and z (< > | on many).
    {"102nd", kPlain, 0x56, KEY_102ND},
    {"z", kPlain, 0x2C, KEY_Z},
    {"x", kPlain, 0x2D, KEY_X},
    {"c", kPlain, 0x2E, KEY_C},
    {"v", kPlain, 0x2F, KEY_V},
    {"b", kPlain, 0x30, KEY_B},
    {"n", kPlain, 0x31, KEY_N},
    {"m", kPlain, 0x32, KEY_M},
    {"comma", kPlain, 0x33, KEY_COMMA},
    {"period", kPlain, 0x34, KEY_DOT},
    {"slash", kPlain, 0x35, KEY_SLASH},
    {"rshift", kPlain, 0x36, KEY_RIGHTSHIFT},

    {"lctrl", kPlain, 0x1D, KEY_LEFTCTRL},
    {"lwin", kExtended, 0x5B, KEY_LEFTMETA},
    {"lalt", kPlain, 0x38, KEY_LEFTALT},
    {"space", kPlain, 0x39, KEY_SPACE},
    {"ralt", kExtended, 0x38, KEY_RIGHTALT},
    {"rwin", kExtended, 0x5C, KEY_RIGHTMETA},
    {"menu", kExtended, 0x5D, KEY_COMPOSE},
    {"rctrl", kExtended, 0x1D, KEY_RIGHTCTRL},

    {"insert", kExtended, 0x52, KEY_INSERT},
    {"home", kExtended, 0x47, KEY_HOME},
    {"pageup", kExtended, 0x49, KEY_PAGEUP},
    {"delete", kExtended, 0x53, KEY_DELETE},
    {"end", kExtended, 0x4F, KEY_END},
    {"pagedown", kExtended, 0x51, KEY_PAGEDOWN},
    {"up", kExtended, 0x48, KEY_UP},
    {"left", kExtended, 0x4B, KEY_LEFT},
    {"down", kExtended, 0x50, KEY_DOWN},
    {"right", kExtended, 0x4D, KEY_RIGHT},

    {"numlock", kPlain, 0x45, KEY_NUMLOCK},
    {"kpslash", kExtended, 0x35, KEY_KPSLASH},
    {"kpasterisk", kPlain, 0x37, KEY_KPASTERISK},
    {"kpminus", kPlain, 0x4A, KEY_KPMINUS},
    {"kp7", kPlain, 0x47, KEY_KP7},
    {"kp8", kPlain, 0x48, KEY_KP8},
    {"kp9", kPlain, 0x49, KEY_KP9},
    {"kpplus", kPlain, 0x4E, KEY_KPPLUS},
    {"kp4", kPlain, 0x4B, KEY_KP4},
    {"kp5", kPlain, 0x4C, KEY_KP5},
    {"kp6", kPlain, 0x4D, KEY_KP6},
    {"kp1", kPlain, 0x4F, KEY_KP1},
    {"kp2", kPlain, 0x50, KEY_KP2},
    {"kp3", kPlain, 0x51, KEY_KP3},
    {"kpenter", kExtended, 0x1C, KEY_KPENTER},
    {"kp0", kPlain, 0x52, KEY_KP0},
    {"kpdot", kPlain, 0x53, KEY_KPDOT},
};

uint8_t PrefixOf(ScanCodeForm form) {
  switch (form) {
    case kPlain:
      return 0;
    case kExtended:
    case kExtendedWithFakeShift:
      return kExtendedPrefix;
    case kPause:
      return kPausePrefix;
  }
  return 0;
}

void Append(ScanCodeBytes& out, std::initializer_list<uint8_t> bytes) {
  for (const uint8_t byte : bytes) {
    out.bytes[out.length++] = byte;
  }
}

// The bytes of one edge of a key: the make code, or with `breakBit` the break code.
void AppendEdge(ScanCodeBytes& out, const ScanCodeKey& key, uint8_t breakBit) {
  const auto code = static_cast<uint8_t>(key.code | breakBit);
  switch (key.form) {
    case kPlain:
      Append(out, {code});
      break;
    case kExtended:
      Append(out, {kExtendedPrefix, code});
      break;
    case kExtendedWithFakeShift:
      // The fake shift goes down before the key and up after it.
      if (breakBit == 0) {
        Append(out, {kExtendedPrefix, kFakeShiftCode, kExtendedPrefix, code});
      } else {
        Append(out, {kExtendedPrefix, code, kExtendedPrefix,
                     static_cast<uint8_t>(kFakeShiftCode | kBreakBit)});
      }
      break;
    case kPause:
      Append(out, {kPausePrefix, static_cast<uint8_t>(kPauseLeadCode | breakBit), code});
      break;
  }
}

}  // namespace

std::span<const ScanCodeKey> ScanCodeKeys() {
  return kKeys;
}

const ScanCodeKey* FindScanCodeKey(uint8_t prefix, uint8_t code) {
  for (const ScanCodeKey& key : kKeys) {
    if (PrefixOf(key.form) == prefix && key.code == code) {
      return &key;
    }
  }
  return nullptr;
}

const ScanCodeKey* FindScanCodeKeyByName(std::string_view name) {
  for (const ScanCodeKey& key : kKeys) {
    if (key.name == name) {
      return &key;
    }
  }
  return nullptr;
}

ScanCodeBytes KeyDownBytes(const ScanCodeKey& key) {
  ScanCodeBytes out;
  AppendEdge(out, key, 0);
  if (key.form == kPause) {
    // The pause key has no break of its own: it sends make and break together when pressed.
    AppendEdge(out, key, kBreakBit);
  }
  return out;
}

ScanCodeBytes KeyUpBytes(const ScanCodeKey& key) {
  ScanCodeBytes out;
  if (key.form != kPause) {
    AppendEdge(out, key, kBreakBit);
  }
  return out;
}

}  // namespace zarvel
