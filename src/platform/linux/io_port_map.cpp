#include "platform/linux/io_port_map.h"

#include <charconv>
#include <cstdio>

#include "hardware/parallel_port_registers.h"
#include "hardware/port_io.h"

namespace zarvel {
namespace {

constexpr const char* kIoPortsPath = "/proc/ioports";

// What the kernel names the ranges of a parallel port ("parport0", "parport_pc"), and the
// windows a PCI bus or bridge passes on to the devices behind it: ports inside a window that
// no device took are free.
constexpr std::string_view kParallelPortOwner = "parport";
constexpr std::string_view kBusWindowOwner = "PCI Bus";

constexpr const char* kWhatToDo =
    "set Port to the parallel port's address (often 378, 278 or 3bc; /proc/ioports lists it as "
    "parport0)";

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return {};
  }
  const size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// Reads a hexadecimal number from the front of `text` and moves past it.
bool TakeHexadecimal(std::string_view& text, uint32_t& number) {
  const auto [next, error] = std::from_chars(text.data(), text.data() + text.size(), number, 16);
  if (error != std::errc() || next == text.data()) {
    return false;
  }
  text.remove_prefix(static_cast<size_t>(next - text.data()));
  return true;
}

// "0378-037a : parport0", its indentation already taken off.
std::optional<IoPortRange> ReadLine(std::string_view line) {
  IoPortRange range;
  if (!TakeHexadecimal(line, range.first) || line.empty() || line.front() != '-') {
    return std::nullopt;
  }
  line.remove_prefix(1);
  if (!TakeHexadecimal(line, range.last) || range.last < range.first) {
    return std::nullopt;
  }
  line = Trimmed(line);
  if (line.empty() || line.front() != ':') {
    return std::nullopt;
  }
  range.owner = std::string(Trimmed(line.substr(1)));
  return range;
}

std::string RegistersText(uint64_t first, uint64_t last) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%llX-0x%llX", static_cast<unsigned long long>(first),
                static_cast<unsigned long long>(last));
  return text;
}

std::string RangeText(const IoPortRange& range) {
  char text[32];
  std::snprintf(text, sizeof text, "%04x-%04x", range.first, range.last);
  return text + (" " + range.owner);
}

// The range that makes `port` unsafe for the pads: the innermost one holding it that is not a
// bus window, unless a parallel port's range holds it.
const IoPortRange* ForeignOwner(const IoPortMap& map, uint32_t port) {
  const std::vector<const IoPortRange*> holding = map.Holding(port);
  for (const IoPortRange* range : holding) {
    if (range->owner.starts_with(kParallelPortOwner)) {
      return nullptr;
    }
  }
  for (auto range = holding.rbegin(); range != holding.rend(); ++range) {
    if (!(*range)->owner.starts_with(kBusWindowOwner)) {
      return *range;
    }
  }
  return nullptr;
}

}  // namespace

IoPortMap IoPortMap::Parse(std::string_view text) {
  IoPortMap map;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (std::optional<IoPortRange> range = ReadLine(Trimmed(line))) {
      map.ranges_.push_back(std::move(*range));
    }
  }
  return map;
}

std::vector<const IoPortRange*> IoPortMap::Holding(uint32_t port) const {
  std::vector<const IoPortRange*> holding;
  for (const IoPortRange& range : ranges_) {
    if (range.first <= port && port <= range.last) {
      holding.push_back(&range);
    }
  }
  return holding;
}

std::optional<std::string> CheckDirectParallelPort(SystemCalls& calls, uint32_t base) {
  const uint64_t last = uint64_t{base} + kRegisterCount - 1;
  const std::string registers = "Port " + RegistersText(base, last);
  if (last > kLastIoPort) {
    return registers + " goes beyond the PC's last I/O port, 0xFFFF: " + kWhatToDo;
  }
  // The pads' power-up alone writes the data register, and 0xF8 written to the keyboard
  // controller's command port resets the PC.
  if (base < kFirstCardPort) {
    return registers +
           " is below 0x100, the range of the PC's own devices (timer, interrupt controllers, "
           "keyboard controller), where the pads' signals could reset the PC: " +
           kWhatToDo;
  }
  const std::optional<std::string> text = calls.ReadTextFile(kIoPortsPath);
  if (!text) {
    return std::nullopt;
  }
  const IoPortMap map = IoPortMap::Parse(*text);
  for (uint64_t port = base; port <= last; ++port) {
    if (const IoPortRange* owner = ForeignOwner(map, static_cast<uint32_t>(port))) {
      return registers + " overlaps " + RangeText(*owner) +
             " in /proc/ioports, a device that is not a parallel port: " + kWhatToDo;
    }
  }
  return std::nullopt;
}

}  // namespace zarvel
