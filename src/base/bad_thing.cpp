#include "base/bad_thing.h"

#include <cstdarg>

#include "base/format_text.h"

namespace zarvel {

void ReportBadThing(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::string message = FormatTextV(format, arguments);
  va_end(arguments);
  throw BadThing(message);
}

void ReportBadThingAt(const SettingsPlace& place, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::string message = FormatTextV(format, arguments);
  va_end(arguments);
  throw BadThing(message, place);
}

void StopProcess(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::string message = FormatTextV(format, arguments);
  va_end(arguments);
  throw ProcessEndingStop(message);
}

void StopProcessAt(const SettingsPlace& place, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::string message = FormatTextV(format, arguments);
  va_end(arguments);
  throw ProcessEndingStop(message, place);
}

}  // namespace zarvel
