#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace zarvel {

// Where in a configuration's files a stop concerns: the file by the name the user knows it by,
// the line (from 1; 0 when the stop concerns the file as a whole, or nothing in any file), and
// the section and item it was reading, when there was one. Readers that point at the fault
// (Check, the editor's marked lines, the runner) take it from here, never from the message.
struct SettingsPlace {
  std::string file = {};
  int32_t line = 0;
  std::string section = {};
  std::string item = {};

  bool InFile() const { return !file.empty(); }
};

// An error that ends the execution: thrown by ReportBadThing and caught only at the entry of
// the execution thread, which shows the message, closes the settings files and marks the
// execution finished. Nothing between the two catches it, so nothing after the failing call
// runs, as if the thread had ended on the spot.
class BadThing : public std::runtime_error {
 public:
  explicit BadThing(const std::string& message, SettingsPlace place = {})
      : std::runtime_error(message), place_(std::move(place)) {}

  const SettingsPlace& Place() const { return place_; }

 private:
  SettingsPlace place_;
};

// One of the two checks that end the whole process rather than the execution. The thread's
// entry hands its text to the host, which decides what ending the process means there.
class ProcessEndingStop : public std::runtime_error {
 public:
  explicit ProcessEndingStop(const std::string& message, SettingsPlace place = {})
      : std::runtime_error(message), place_(std::move(place)) {}

  const SettingsPlace& Place() const { return place_; }

 private:
  SettingsPlace place_;
};

// Formats a printf-style message and ends the execution with it. The whole message is kept,
// however long: a path in it is never cut short.
[[noreturn]] void ReportBadThing(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The same, for a stop that concerns a place in the configuration's files.
[[noreturn]] void ReportBadThingAt(const SettingsPlace& place, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

// Formats the text of a process-ending stop and raises it.
[[noreturn]] void StopProcess(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The same, for a stop that concerns a place in the configuration's files.
[[noreturn]] void StopProcessAt(const SettingsPlace& place, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

}  // namespace zarvel
