#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zarvel {

// Where the parallel port's registers go.
enum class ParportBackEnd : uint8_t {
  kSim,    // The simulated port and pads.
  kPpdev,  // The Linux parallel-port device.
  kDirect  // The port instructions, on ports the kernel granted.
};

// Where the keyboard controller's ports go.
enum class KeyboardBackEnd : uint8_t {
  kSim,     // The emulated controller, its bytes delivered to the host.
  kUinput,  // The emulated controller, its bytes typed on a virtual keyboard.
  kDirect   // The real controller, with the port instructions.
};

// The parallel-port device that --parport ppdev names.
inline constexpr char kDefaultPpdevDevice[] = "/dev/parport0";

// What hardware a host's executions drive, as the user chose it with --parport and --keyboard.
// Both hosts, the runner and the editor, read the same option values with the functions below.
struct HardwareChoice {
  ParportBackEnd parport = ParportBackEnd::kSim;
  std::string ppdevDevice = kDefaultPpdevDevice;
  KeyboardBackEnd keyboard = KeyboardBackEnd::kSim;

  bool Simulated() const {
    return parport == ParportBackEnd::kSim && keyboard == KeyboardBackEnd::kSim;
  }
};

// Reads the value of --parport: "sim", "ppdev" (the default device), "ppdev:DEVICE" or
// "direct". Returns the reason it was refused.
std::optional<std::string> ReadParportChoice(std::string_view text, HardwareChoice& choice);

// Reads the value of --keyboard: "sim", "uinput" or "direct". Returns the reason it was refused.
std::optional<std::string> ReadKeyboardChoice(std::string_view text, HardwareChoice& choice);

// The choice in the words of --parport ("sim", "ppdev:/dev/parport0", "direct") and of
// --keyboard ("sim", "uinput", "direct"), which the readers above take back: the editor keeps
// its choice in these words.
std::string ParportChoiceText(const HardwareChoice& choice);
std::string KeyboardChoiceText(const HardwareChoice& choice);

// The two options as a host's help text lists them.
extern const char* const kHardwareOptionsHelp;

}  // namespace zarvel
