#pragma once

#include <stdexcept>
#include <string>

namespace zarvel {

// An error that ends the execution: thrown by ReportBadThing and caught only at the entry of
// the execution thread, which shows the message, closes the settings files and marks the
// execution finished. Nothing between the two catches it, so nothing after the failing call
// runs, as if the thread had ended on the spot.
class BadThing : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One of the two checks that end the whole process rather than the execution. The thread's
// entry hands its text to the host, which decides what ending the process means there.
class ProcessEndingStop : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Formats a printf-style message and ends the execution with it. The whole message is kept,
// however long: a path in it is never cut short.
[[noreturn]] void ReportBadThing(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Formats the text of a process-ending stop and raises it.
[[noreturn]] void StopProcess(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace zarvel
