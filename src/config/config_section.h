#pragma once

#include <chrono>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace zarvel {

struct SettingsFiles;
struct TraceState;

// The three ways [config] KeySimMethod may choose of making a scan-code byte appear in the
// keyboard controller's output buffer: "old", "new" and "newest".
enum class KeySimMethod : uint8_t { kOld, kNew, kNewest };

// The two ways [config] PadRead may choose of reading the pads at every tick: "together" reads
// all pads that share their latch and clock lines in one pass, "each" reads every pad by
// itself, as the connected test at initialisation does.
enum class PadReadMethod : uint8_t { kTogether, kEach };

// The longest wait, in microseconds, that [config] PadDelay may ask for after every write to
// the port during a pad read. A pad needs a few microseconds at most; a longer wait on every
// write would make a tick of nine pads take several milliseconds.
inline constexpr int32_t kLongestPadDelayUs = 100;

// The sizes of key queue ring that KeyQueueSize may ask for. A ring of 0 bytes could not hold
// a byte, and the ring arithmetic would divide by its size.
inline constexpr int32_t kSmallestKeyQueue = 1;
inline constexpr int32_t kLargestKeyQueue = 1024;

// The [config] settings of the current execution. They are read again by every execution and
// keep the last execution's values in between.
struct ConfigSettings {
  bool internalPower = false;     // Each pad's power line is switched on at initialisation.
  int32_t keyQueueSize = 0;       // Bytes in the key queue's ring.
  uint8_t controllerAddress = 0;  // 8042Addr: controller RAM byte used as the mailbox.
  std::chrono::nanoseconds tickPeriod{0};  // 1 s / TickFreq: from the start of a tick to the next.
  bool drawDots = false;                   // Kept; nothing reads it.
  KeySimMethod keySimMethod = KeySimMethod::kNewest;
  PadReadMethod padRead = PadReadMethod::kTogether;
  int32_t padDelayUs = 0;  // Microseconds waited after every port write of a pad read.
  int32_t psxDelayUs = 0;  // Microseconds each half of a PlayStation pad's clock lasts.
};

inline constexpr const char* kConfigHeader = "[config]";

// The [config] items ReadConfig reads, as messages spell them (keys compare without regard to
// case).
inline constexpr const char* kInternalPowerItem = "InternalPower";
inline constexpr const char* kPortItem = "Port";
inline constexpr const char* kKeyQueueSizeItem = "KeyQueueSize";
inline constexpr const char* kControllerAddressItem = "8042Addr";
inline constexpr const char* kTickFreqItem = "TickFreq";
inline constexpr const char* kDrawDotsItem = "DrawDots";
inline constexpr const char* kKeySimMethodItem = "KeySimMethod";
inline constexpr const char* kPadReadItem = "PadRead";
inline constexpr const char* kPadDelayItem = "PadDelay";
inline constexpr const char* kPsxDelayItem = "PsxDelay";
// How far, in percent of its travel, an analog stick must be pushed to press its direction: a
// pad-section item, or a [config] item for every pad that does not give its own.
inline constexpr const char* kAnalogThresholdItem = "AnalogThreshold";
inline constexpr int32_t kLowestAnalogThreshold = 10;
inline constexpr int32_t kHighestAnalogThreshold = 90;
inline constexpr int32_t kDefaultAnalogThreshold = 50;

// Every one of them, for readers that look at a configuration ahead of its execution.
inline constexpr std::array<const char*, 11> kConfigItems = {
    kInternalPowerItem, kPortItem,     kKeyQueueSizeItem,    kControllerAddressItem,
    kTickFreqItem,      kDrawDotsItem, kKeySimMethodItem,    kPadReadItem,
    kPadDelayItem,      kPsxDelayItem, kAnalogThresholdItem,
};

// Reads and checks the [config] keys, the document first and the global file for what it
// lacks or leaves empty, each checked as soon as it is read. Port is written to `portBase`,
// the parallel port's base address, which is the one place the address is kept.
void ReadConfig(const SettingsFiles& files, TraceState& trace, ConfigSettings& config,
                int32_t& portBase);

// The AnalogThreshold of the pad whose section is `header`: its own item, else the [config]
// item, else kDefaultAnalogThreshold. A value outside 10 to 90 is a Bad Thing.
int32_t ReadAnalogThreshold(const SettingsFiles& files, const std::string& header);

// The base I/O address of the parallel port: the required [config] key Port, in hexadecimal.
int32_t ReadPortBase(const SettingsFiles& files);

// ReadPortBase without ending anything: nothing when Port is missing or holds no hexadecimal
// number.
std::optional<int32_t> FindPortBase(const SettingsFiles& files);

// The KeySimMethod ReadConfig would choose, without ending anything: nothing when it is missing
// or names no method.
std::optional<KeySimMethod> FindKeySimMethod(const SettingsFiles& files);

}  // namespace zarvel
