#include "platform/hardware_factory.h"

#include <vector>

#include "hardware/keyboard_controller.h"
#include "hardware/pin_table.h"
#include "platform/linux/io_port_map.h"
#include "platform/linux/sudo_user.h"

namespace zarvel {
namespace {

// Whether the connector pin is carried by the control register. Through the parallel-port
// device a read of that register answers what was last written to it, not what a pad does to
// the line.
bool IsControlPin(int32_t pin) {
  if (pin < 0 || pin >= kPinTableSize) {
    return false;
  }
  const PinDef& line = PinTable[static_cast<size_t>(pin)];
  return line.reg == kControlRegister && line.mask != 0;
}

// The methods old and new send each byte with interrupts disabled, so that the system cannot
// take the controller in between; newest never disables them. An execution whose method cannot
// be read ends on that fault before it sends a byte.
bool DisablesInterrupts(std::optional<KeySimMethod> method) {
  return method == KeySimMethod::kOld || method == KeySimMethod::kNew;
}

}  // namespace

HardwareFactory::HardwareFactory(HardwareChoice choice, SystemCalls& calls, EvdevCalls& evdev,
                                 NoticeSink notice)
    : choice_(std::move(choice)),
      calls_(calls),
      evdev_(evdev),
      notice_(std::move(notice)),
      direct_(calls) {}

HardwareFactory::~HardwareFactory() = default;

HardwareFactory::Opened HardwareFactory::Open(const std::string& documentPath,
                                              const std::string& homeDir, PadScript script) {
  // Simulated pads are plugged in once the execution has read which pads it has, so only the
  // execution reads the configuration. Real pads need the port's address now, to claim the
  // port or be granted its registers before anything runs; the simulated PC then only keeps
  // the keyboard.
  auto hardware = std::make_unique<ExecutionHardware>(PortWiring{}, std::move(script));
  if (choice_.parport == ParportBackEnd::kSim) {
    hardware->PlugPadsWhenExpected(homeDir);
  }
  if (choice_.Simulated()) {
    return {std::move(hardware), {}};
  }
  const bool needsConfiguration =
      choice_.parport != ParportBackEnd::kSim || choice_.keyboard == KeyboardBackEnd::kDirect;
  const PortWiring wiring =
      needsConfiguration ? ReadPortWiring(documentPath, homeDir) : PortWiring{};

  std::optional<std::string> error = OpenParallelPort(wiring, *hardware);
  if (!error) {
    error = OpenDirectPorts(wiring, *hardware);
  }
  if (!error) {
    error = OpenVirtualKeyboard(*hardware);
  }
  if (!error) {
    // Everything that needed root is open now.
    error = GiveUpRootIfStartedThroughSudo(calls_, rootGivenUp_);
  }
  if (!error) {
    SayWhenRootIsKept();
  }
  if (error) {
    // Dropping the hardware releases whatever of it was already set up.
    return {nullptr, *error};
  }
  return {std::move(hardware), {}};
}

void HardwareFactory::SetChoice(const HardwareChoice& choice) {
  if (ppdev_ &&
      (choice.parport != ParportBackEnd::kPpdev || choice.ppdevDevice != ppdev_->Path())) {
    ppdev_.reset();
  }
  if (choice.keyboard != KeyboardBackEnd::kUinput) {
    uinput_.reset();
  }
  choice_ = choice;
}

void HardwareFactory::ReleaseBetweenExecutions() {
  if (!rootGivenUp_) {
    direct_.Revoke();
  }
}

SeedResult HardwareFactory::SeedHome(const std::string& homeDir) {
  return SeedHomeDirectory(calls_, homeDir);
}

void HardwareFactory::SayWhenRootIsKept() {
  if (rootKeptNoticeGiven_ || !notice_ || !StartedAsRootWithoutSudo(calls_)) {
    return;
  }
  rootKeptNoticeGiven_ = true;
  notice_(
      "started as root, not through sudo: Zarvel keeps running as root (through sudo it goes on "
      "as the user who ran sudo once the hardware is open)");
}

std::optional<std::string> HardwareFactory::OpenParallelPort(const PortWiring& wiring,
                                                             ExecutionHardware& hardware) {
  if (choice_.parport != ParportBackEnd::kPpdev) {
    return std::nullopt;
  }
  if (!ppdev_) {
    PpdevDevice::Opened opened = PpdevDevice::Open(calls_, choice_.ppdevDevice);
    if (!opened.device) {
      return opened.error;
    }
    ppdev_ = std::move(opened.device);
  }
  if (!wiring.base) {
    return std::nullopt;
  }
  WarnOfControlDataLines(wiring);
  const auto base = static_cast<uint16_t>(*wiring.base);
  PpdevPort::Claimed claimed = PpdevPort::Claim(*ppdev_, base);
  if (!claimed.port) {
    return claimed.error;
  }
  hardware.UsePpdevPort(base, std::move(claimed.port));
  return std::nullopt;
}

std::optional<std::string> HardwareFactory::OpenDirectPorts(const PortWiring& wiring,
                                                            ExecutionHardware& hardware) {
  const bool directPads = choice_.parport == ParportBackEnd::kDirect && wiring.base.has_value();
  const bool directKeys = choice_.keyboard == KeyboardBackEnd::kDirect;
  // Without an address there is no parallel port to ask for; the execution reports the Port
  // fault itself.
  if (!directPads && !directKeys) {
    return std::nullopt;
  }
  std::vector<PortRange> ranges;
  if (directPads) {
    // A Port that is not a parallel port's would have the pads' signals written to another
    // device, the keyboard controller or the timer, and could reset the PC: it is refused
    // before any port is asked for. Ports granted to an earlier execution were checked then.
    const auto base = static_cast<uint32_t>(*wiring.base);
    const PortRange pads{static_cast<uint16_t>(base), static_cast<uint16_t>(kRegisterCount)};
    if (base > kLastIoPort || !direct_.Granted(pads)) {
      if (std::optional<std::string> refusal = CheckDirectParallelPort(calls_, base)) {
        return refusal;
      }
    }
    ranges.push_back(pads);
  }
  if (directKeys) {
    ranges.push_back({kControllerDataPort, 1});
    ranges.push_back({kControllerStatusPort, 1});
    ranges.push_back({kInterruptMaskPort, 1});
  }
  if (std::optional<std::string> error = direct_.Grant(ranges, rootGivenUp_)) {
    return error;
  }
  // All-port access (iopl) is asked for only where the execution will disable interrupts.
  if (directKeys && DisablesInterrupts(wiring.keySimMethod)) {
    if (std::optional<std::string> error = direct_.GrantInterruptFlag()) {
      return error;
    }
  }
  hardware.UseDirectPort(std::make_unique<DirectPort>(direct_, notice_));
  if (directPads) {
    hardware.RouteParallelPortToDirect(static_cast<uint16_t>(*wiring.base));
  }
  if (directKeys) {
    hardware.RouteKeyboardToDirect();
  }
  return std::nullopt;
}

std::optional<std::string> HardwareFactory::OpenVirtualKeyboard(ExecutionHardware& hardware) {
  if (choice_.keyboard != KeyboardBackEnd::kUinput) {
    return std::nullopt;
  }
  if (!uinput_) {
    UinputDevice::Opened opened = UinputDevice::Open(calls_);
    if (!opened.device) {
      return opened.error;
    }
    uinput_ = std::move(opened.device);
  }
  UinputKeyboard::Created created = UinputKeyboard::Create(*uinput_, evdev_);
  if (!created.keyboard) {
    return created.error;
  }
  hardware.UseVirtualKeyboard(std::move(created.keyboard));
  return std::nullopt;
}

void HardwareFactory::WarnOfControlDataLines(const PortWiring& wiring) {
  if (!notice_) {
    return;
  }
  for (const PadWiring& pad : wiring.pads) {
    for (const int32_t pin : pad.cable.data) {
      if (IsControlPin(pin)) {
        notice_("pad " + std::to_string(pad.position) + "'s data line is on pin " +
                std::to_string(pin) +
                ", a control line: through the parallel-port device Zarvel reads back what it "
                "wrote there, not the pad. Solder the data line to pin 10, 11, 12, 13 or 15, or "
                "use --parport direct");
      }
    }
  }
}

}  // namespace zarvel
