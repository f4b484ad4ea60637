#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "platform/routing_port.h"
#include "platform/sim/sim_machine.h"

namespace zarvel {

class DirectPort;
class PpdevPort;
class UinputKeyboard;

// Everything one execution drives, made for it by a HardwareFactory and dropped when it ends:
// the simulated PC (always there: it answers whatever no real back end takes), and whichever
// real back ends were chosen, joined by one RoutingPort. Dropping it releases the parallel
// port and lifts every key the virtual keyboard still holds.
class ExecutionHardware {
 public:
  // Told every byte the emulated keyboard controller hands the system, with its tick.
  using DeliveryListener = std::function<void(int64_t tick, uint8_t byte)>;

  // All simulated: the port wired as given, its pads following the script.
  ExecutionHardware(const PortWiring& wiring, PadScript script);
  ~ExecutionHardware();
  ExecutionHardware(const ExecutionHardware&) = delete;
  ExecutionHardware& operator=(const ExecutionHardware&) = delete;

  // The one port the execution drives.
  PortIo& Port() { return routing_; }
  SimMachine& Machine() { return machine_; }

  // Who hears of delivered bytes besides the virtual keyboard. With the real keyboard
  // controller nothing is delivered here: the system reads the bytes itself.
  void SetDeliveryListener(DeliveryListener listener) { listener_ = std::move(listener); }

  // Wires the simulated port once the execution has said which pads it expects (see
  // PlugExpectedPads), soldered as the circuit file in `homeDir` says, instead of from a wiring
  // read beforehand: the configuration is then read only by the execution itself.
  void PlugPadsWhenExpected(std::string homeDir) { circuitHome_ = std::move(homeDir); }
  // The execution's port address and pads, in the order it sets them up.
  void PlugExpectedPads(int32_t base, std::span<const PadPlace> pads);

  // The real back ends, handed over by the factory.
  void UsePpdevPort(uint16_t base, std::unique_ptr<PpdevPort> port);
  void UseDirectPort(std::unique_ptr<DirectPort> port);
  void RouteParallelPortToDirect(uint16_t base);
  void RouteKeyboardToDirect();
  void UseVirtualKeyboard(std::unique_ptr<UinputKeyboard> keyboard);
  // Whether the keys go to the desktop through the virtual keyboard.
  bool HasVirtualKeyboard() const { return keyboard_ != nullptr; }

  // Lets go of the real back ends, the virtual keyboard (lifting its keys) first and the
  // parallel port last; from then on every port is the simulated PC's again.
  void ReleaseDevices();

 private:
  void Deliver(int64_t tick, uint8_t byte);

  SimMachine machine_;
  RoutingPort routing_{machine_.Pc()};
  // Dropped in the opposite order: the keyboard's keys are lifted first, the port released last.
  // ReleaseDevices keeps the same order.
  std::unique_ptr<PpdevPort> ppdevPort_;
  std::unique_ptr<DirectPort> directPort_;
  std::unique_ptr<UinputKeyboard> keyboard_;
  DeliveryListener listener_;
  std::optional<std::string> circuitHome_;
};

}  // namespace zarvel
