#pragma once

#include <memory>
#include <string>

#include "platform/execution_hardware.h"

namespace zarvel::testing {

// The simulated PC as the factory makes it for simulated pads: the pads the execution asks for
// are plugged in as the circuit file of `homeDir` says, following `script`.
inline std::unique_ptr<ExecutionHardware> SimulatedHardware(const std::string& homeDir,
                                                            PadScript script = {}) {
  auto hardware = std::make_unique<ExecutionHardware>(PortWiring{}, std::move(script));
  hardware->PlugPadsWhenExpected(homeDir);
  return hardware;
}

}  // namespace zarvel::testing
