#include "platform/hardware_choice.h"

namespace zarvel {
namespace {

constexpr std::string_view kSimName = "sim";
constexpr std::string_view kPpdevName = "ppdev";
constexpr std::string_view kDirectName = "direct";
constexpr std::string_view kUinputName = "uinput";
constexpr char kDeviceSeparator = ':';

}  // namespace

const char* const kHardwareOptionsHelp =
    "  --parport sim|ppdev[:DEVICE]|direct\n"
    "               where the parallel port is: the simulated one (default), the\n"
    "               Linux parallel-port device (default /dev/parport0), or the port\n"
    "               itself through the port instructions (needs sudo; root is given\n"
    "               up once the ports are granted)\n"
    "  --keyboard sim|uinput|direct\n"
    "               where the keys go: the simulated PC (default), a virtual keyboard\n"
    "               that every program sees (/dev/uinput), or the PC's own keyboard\n"
    "               controller through the port instructions (needs sudo)\n";

std::optional<std::string> ReadParportChoice(std::string_view text, HardwareChoice& choice) {
  if (text == kSimName) {
    choice.parport = ParportBackEnd::kSim;
    return std::nullopt;
  }
  if (text == kDirectName) {
    choice.parport = ParportBackEnd::kDirect;
    return std::nullopt;
  }
  if (text.substr(0, kPpdevName.size()) == kPpdevName) {
    std::string_view rest = text.substr(kPpdevName.size());
    if (rest.empty()) {
      choice.parport = ParportBackEnd::kPpdev;
      choice.ppdevDevice = kDefaultPpdevDevice;
      return std::nullopt;
    }
    if (rest.front() == kDeviceSeparator && rest.size() > 1) {
      choice.parport = ParportBackEnd::kPpdev;
      choice.ppdevDevice = std::string(rest.substr(1));
      return std::nullopt;
    }
  }
  return "--parport is sim, ppdev, ppdev:DEVICE or direct, not \"" + std::string(text) + "\"";
}

std::optional<std::string> ReadKeyboardChoice(std::string_view text, HardwareChoice& choice) {
  if (text == kSimName) {
    choice.keyboard = KeyboardBackEnd::kSim;
  } else if (text == kUinputName) {
    choice.keyboard = KeyboardBackEnd::kUinput;
  } else if (text == kDirectName) {
    choice.keyboard = KeyboardBackEnd::kDirect;
  } else {
    return "--keyboard is sim, uinput or direct, not \"" + std::string(text) + "\"";
  }
  return std::nullopt;
}

std::string ParportChoiceText(const HardwareChoice& choice) {
  switch (choice.parport) {
    case ParportBackEnd::kPpdev:
      return std::string(kPpdevName) + kDeviceSeparator + choice.ppdevDevice;
    case ParportBackEnd::kDirect:
      return std::string(kDirectName);
    case ParportBackEnd::kSim:
      break;
  }
  return std::string(kSimName);
}

std::string KeyboardChoiceText(const HardwareChoice& choice) {
  switch (choice.keyboard) {
    case KeyboardBackEnd::kUinput:
      return std::string(kUinputName);
    case KeyboardBackEnd::kDirect:
      return std::string(kDirectName);
    case KeyboardBackEnd::kSim:
      break;
  }
  return std::string(kSimName);
}

}  // namespace zarvel
