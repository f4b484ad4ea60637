#include "config/config_section.h"

#include <strings.h>

#include <algorithm>
#include <climits>
#include <string>

#include "base/bad_thing.h"
#include "base/trace.h"
#include "config/settings_lookup.h"
#include "config/value_text.h"
#include "hardware/keyboard_controller.h"
#include "hardware/psx_protocol.h"

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

// A [config] value and the place it was taken from.
struct ConfigValue {
  std::string text;
  SettingsPlace place;
};

ConfigValue Required(const SettingsFiles& files, const char* key) {
  ConfigValue value;
  LookupItem(files, kConfigHeader, key, value.text, true, &value.place);
  return value;
}

ConfigValue Optional(const SettingsFiles& files, const char* key) {
  ConfigValue value;
  LookupItem(files, kConfigHeader, key, value.text, false, &value.place);
  return value;
}

uint32_t RequiredHexadecimal(const SettingsFiles& files, const char* key, SettingsPlace* place) {
  const ConfigValue value = Required(files, key);
  const std::optional<uint32_t> number = ReadHexadecimal(value.text);
  if (!number) {
    ReportBadThingAt(value.place, "\"%s\" is not a hexadecimal number.\n", key);
  }
  if (place != nullptr) {
    *place = value.place;
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

int32_t ReadAnalogThreshold(const SettingsFiles& files, const std::string& header) {
  ConfigValue threshold;
  if (!LookupItem(files, header, kAnalogThresholdItem, threshold.text, false, &threshold.place) ||
      threshold.text.empty()) {
    threshold = Optional(files, kAnalogThresholdItem);
  }
  if (threshold.text.empty()) {
    return kDefaultAnalogThreshold;
  }
  const int32_t percent = ReadDecimal(threshold.text);
  CheckRange(percent, kAnalogThresholdItem, kLowestAnalogThreshold, kHighestAnalogThreshold, false,
             threshold.place);
  return percent;
}

int32_t ReadPortBase(const SettingsFiles& files) {
  return static_cast<int32_t>(RequiredHexadecimal(files, kPortItem, nullptr));
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

  config.internalPower = ReadFlag(Required(files, kInternalPowerItem).text);
  portBase = ReadPortBase(files);

  const ConfigValue keyQueueSize = Required(files, kKeyQueueSizeItem);
  config.keyQueueSize = ReadDecimal(keyQueueSize.text);
  CheckRange(config.keyQueueSize, kKeyQueueSizeItem, kSmallestKeyQueue, kLargestKeyQueue, false,
             keyQueueSize.place);

  SettingsPlace addressPlace;
  const uint32_t controllerAddress =
      RequiredHexadecimal(files, kControllerAddressItem, &addressPlace);
  // An address beyond the signed range is out of range as well, not a negative number.
  CheckRange(static_cast<int32_t>(std::min<uint32_t>(controllerAddress, INT32_MAX)),
             kControllerAddressItem, 0, kHighestControllerAddress, true, addressPlace);
  config.controllerAddress = static_cast<uint8_t>(controllerAddress);

  const ConfigValue tickFreq = Required(files, kTickFreqItem);
  const int32_t ticksPerSecond = ReadDecimal(tickFreq.text);
  CheckRange(ticksPerSecond, kTickFreqItem, kSlowestTickFreq, kFastestTickFreq, false,
             tickFreq.place);
  // Kept in nanoseconds, so that every TickFreq gets its own rate: whole milliseconds would
  // make 600 ticks a second into 1000.
  config.tickPeriod = std::chrono::nanoseconds(std::chrono::seconds(1)) / ticksPerSecond;

  config.drawDots = ReadFlag(Optional(files, kDrawDotsItem).text);

  const ConfigValue method = Required(files, kKeySimMethodItem);
  const KeySimMethodName* chosen = MethodNamed(method.text);
  if (chosen == nullptr) {
    ReportBadThingAt(method.place, "\"%s\" is not a valid option for %s.\n", method.text.c_str(),
                     kKeySimMethodItem);
  }
  config.keySimMethod = chosen->method;

  // Both pad items are optional: a configuration that names neither reads the pads together
  // and without a wait, which is what every port fast enough for the pads wants.
  const ConfigValue padRead = Optional(files, kPadReadItem);
  config.padRead = PadReadMethod::kTogether;
  if (!padRead.text.empty()) {
    const PadReadMethodName* chosenRead = nullptr;
    for (const PadReadMethodName& candidate : kPadReadMethods) {
      if (strcasecmp(padRead.text.c_str(), candidate.name) == 0) {
        chosenRead = &candidate;
        break;
      }
    }
    if (chosenRead == nullptr) {
      ReportBadThingAt(padRead.place, "\"%s\" is not a valid option for %s.\n",
                       padRead.text.c_str(), kPadReadItem);
    }
    config.padRead = chosenRead->method;
  }

  const ConfigValue padDelay = Optional(files, kPadDelayItem);
  const int32_t padDelayUs = ReadDecimal(padDelay.text);
  CheckRange(padDelayUs, kPadDelayItem, 0, kLongestPadDelayUs, false, padDelay.place);
  config.padDelayUs = padDelayUs;

  // PlayStation pads answer at the kernel driver's pace unless the configuration slows them
  // (or, for a port and pads that keep up, speeds them to no wait at all).
  const ConfigValue psxDelay = Optional(files, kPsxDelayItem);
  config.psxDelayUs = kPsxDefaultDelayUs;
  if (!psxDelay.text.empty()) {
    config.psxDelayUs = ReadDecimal(psxDelay.text);
    CheckRange(config.psxDelayUs, kPsxDelayItem, 0, kLongestPsxDelayUs, false, psxDelay.place);
  }

  TracePrint(trace, "Done\n");
}

}  // namespace zarvel
