#include "config/config_section.h"

#include <strings.h>

#include <string>

#include "base/bad_thing.h"
#include "base/trace.h"
#include "config/settings_lookup.h"
#include "config/value_text.h"
#include "hardware/keyboard_controller.h"

namespace zarvel {
namespace {

constexpr int32_t kSlowestTickFreq = 1;
constexpr int32_t kFastestTickFreq = 1000;

struct KeySimMethodName {
  const char* name;
  KeySimMethod method;
};

// Compared in this order, without regard to case.
constexpr KeySimMethodName kKeySimMethods[] = {
    {"old", KeySimMethod::kOld},
    {"new", KeySimMethod::kNew},
    {"newest", KeySimMethod::kNewest},
};

struct PadReadMethodName {
  const char* name;
  PadReadMethod method;
};

// Compared without regard to case.
constexpr PadReadMethodName kPadReadMethods[] = {
    {"together", PadReadMethod::kTogether},
    {"each", PadReadMethod::kEach},
};

std::string Required(const SettingsFiles& files, const char* key) {
  std::string value;
  LookupItem(files, kConfigHeader, key, value, true);
  return value;
}

uint32_t RequiredHexadecimal(const SettingsFiles& files, const char* key) {
  const std::optional<uint32_t> number = ReadHexadecimal(Required(files, key));
  if (!number) {
    ReportBadThing("\"%s\" is not a hexadecimal number.\n", key);
  }
  return *number;
}

// The method a KeySimMethod value names, or null.
const KeySimMethodName* MethodNamed(const std::string& value) {
  for (const KeySimMethodName& candidate : kKeySimMethods) {
    if (strcasecmp(value.c_str(), candidate.name) == 0) {
      return &candidate;
    }
  }
  return nullptr;
}

}  // namespace

int32_t ReadPortBase(const SettingsFiles& files) {
  return static_cast<int32_t>(RequiredHexadecimal(files, kPortItem));
}

std::optional<int32_t> FindPortBase(const SettingsFiles& files) {
  std::string value;
  LookupItem(files, kConfigHeader, kPortItem, value, false);
  const std::optional<uint32_t> number = ReadHexadecimal(value);
  if (!number) {
    return std::nullopt;
  }
  return static_cast<int32_t>(*number);
}

std::optional<KeySimMethod> FindKeySimMethod(const SettingsFiles& files) {
  std::string value;
  LookupItem(files, kConfigHeader, kKeySimMethodItem, value, false);
  const KeySimMethodName* named = MethodNamed(value);
  if (named == nullptr) {
    return std::nullopt;
  }
  return named->method;
}

void ReadConfig(const SettingsFiles& files, TraceState& trace, ConfigSettings& config,
                int32_t& portBase) {
  TracePrint(trace, "\371 Reading config data...");

  config.internalPower = ReadFlag(Required(files, kInternalPowerItem));
  portBase = ReadPortBase(files);

  const int32_t keyQueueSize = ReadDecimal(Required(files, kKeyQueueSizeItem));
  CheckRange(keyQueueSize, kKeyQueueSizeItem, kSmallestKeyQueue, kLargestKeyQueue, false);
  config.keyQueueSize = keyQueueSize;

  const uint32_t controllerAddress = RequiredHexadecimal(files, kControllerAddressItem);
  CheckRange(static_cast<int32_t>(controllerAddress), kControllerAddressItem, 0,
             kHighestControllerAddress, true);
  config.controllerAddress = static_cast<uint8_t>(controllerAddress);

  const int32_t tickFreq = ReadDecimal(Required(files, kTickFreqItem));
  CheckRange(tickFreq, kTickFreqItem, kSlowestTickFreq, kFastestTickFreq, false);
  // Kept in nanoseconds, so that every TickFreq gets its own rate: whole milliseconds would
  // make 600 ticks a second into 1000.
  config.tickPeriod = std::chrono::nanoseconds(std::chrono::seconds(1)) / tickFreq;

  std::string drawDots;
  LookupItem(files, kConfigHeader, kDrawDotsItem, drawDots, false);
  config.drawDots = ReadFlag(drawDots);

  const std::string method = Required(files, kKeySimMethodItem);
  const KeySimMethodName* chosen = MethodNamed(method);
  if (chosen == nullptr) {
    ReportBadThing("\"%s\" is not a valid option for %s.\n", method.c_str(), kKeySimMethodItem);
  }
  config.keySimMethod = chosen->method;

  // Both pad items are optional: a configuration that names neither reads the pads together
  // and without a wait, which is what every port fast enough for the pads wants.
  std::string padRead;
  LookupItem(files, kConfigHeader, kPadReadItem, padRead, false);
  config.padRead = PadReadMethod::kTogether;
  if (!padRead.empty()) {
    const PadReadMethodName* chosenRead = nullptr;
    for (const PadReadMethodName& candidate : kPadReadMethods) {
      if (strcasecmp(padRead.c_str(), candidate.name) == 0) {
        chosenRead = &candidate;
        break;
      }
    }
    if (chosenRead == nullptr) {
      ReportBadThing("\"%s\" is not a valid option for %s.\n", padRead.c_str(), kPadReadItem);
    }
    config.padRead = chosenRead->method;
  }

  std::string padDelay;
  LookupItem(files, kConfigHeader, kPadDelayItem, padDelay, false);
  const int32_t padDelayUs = ReadDecimal(padDelay);
  CheckRange(padDelayUs, kPadDelayItem, 0, kLongestPadDelayUs, false);
  config.padDelayUs = padDelayUs;

  TracePrint(trace, "Done\n");
}

}  // namespace zarvel
