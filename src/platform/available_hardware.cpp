#include "platform/available_hardware.h"

#include <linux/capability.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace zarvel {
namespace {

constexpr char kDeviceDirectory[] = "/dev";
constexpr std::string_view kParportPrefix = "parport";
// The process's own status, whose line "CapEff:" gives its effective capabilities in hex.
constexpr char kProcessStatus[] = "/proc/self/status";
constexpr std::string_view kEffectiveCapabilities = "\nCapEff:";
constexpr uid_t kRootUserId = 0;

// The number of a device named "parportN", or -1 for any other name.
long ParportNumber(std::string_view name) {
  if (!name.starts_with(kParportPrefix) || name.size() == kParportPrefix.size()) {
    return -1;
  }
  const std::string_view digits = name.substr(kParportPrefix.size());
  if (!std::all_of(digits.begin(), digits.end(),
                   [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; })) {
    return -1;
  }
  return std::strtol(std::string(digits).c_str(), nullptr, 10);
}

bool HasRawIoCapability(SystemCalls& calls) {
  const std::optional<std::string> status = calls.ReadTextFile(kProcessStatus);
  if (!status) {
    return false;
  }
  const size_t line = status->find(kEffectiveCapabilities);
  if (line == std::string::npos) {
    return false;
  }
  const uint64_t capabilities =
      std::strtoull(status->c_str() + line + kEffectiveCapabilities.size(), nullptr, 16);
  return (capabilities >> CAP_SYS_RAWIO & 1U) != 0;
}

}  // namespace

AvailableHardware FindAvailableHardware(SystemCalls& calls) {
  AvailableHardware available;
  std::vector<std::pair<long, std::string>> devices;
  for (const std::string& name : calls.DirectoryEntries(kDeviceDirectory)) {
    if (const long number = ParportNumber(name); number >= 0) {
      devices.emplace_back(number, std::string(kDeviceDirectory) + "/" + name);
    }
  }
  std::sort(devices.begin(), devices.end());
  for (auto& [number, path] : devices) {
    available.parportDevices.push_back(std::move(path));
  }
  available.directAccess = calls.HasPortInstructions() &&
                           (calls.EffectiveUserId() == kRootUserId || HasRawIoCapability(calls));
  return available;
}

}  // namespace zarvel
