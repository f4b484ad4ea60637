#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "hardware/port_io.h"

namespace zarvel {

// One access made through a RecordingPort, kept in the order it happened.
struct PortAccess {
  enum class Kind : uint8_t { kIn, kOut, kDisableInterrupts, kEnableInterrupts };

  Kind kind;
  uint16_t port = 0;
  uint8_t value = 0;  // The byte written, or the byte answered to a read.

  static PortAccess In(uint16_t port, uint8_t value) { return {Kind::kIn, port, value}; }
  static PortAccess Out(uint16_t port, uint8_t value) { return {Kind::kOut, port, value}; }
  static PortAccess Cli() { return {Kind::kDisableInterrupts, 0, 0}; }
  static PortAccess Sti() { return {Kind::kEnableInterrupts, 0, 0}; }

  bool operator==(const PortAccess&) const = default;
};

std::string Describe(const PortAccess& access);

// A fake port for tests: it logs every access in order and answers reads from a script.
// Reads take the next scripted byte for their port; when a port's script is used up, the
// port's fallback answer (set by AnswerAlways, 0xFF unless set) is given instead.
class RecordingPort : public PortIo {
 public:
  uint8_t In(uint16_t port) override;
  void Out(uint16_t port, uint8_t value) override;
  void DisableInterrupts() override;
  void EnableInterrupts() override;

  // Queues answers for the next reads of one port.
  void Script(uint16_t port, std::vector<uint8_t> answers);
  // Sets what a read of the port answers once its script is used up.
  void AnswerAlways(uint16_t port, uint8_t value);

  const std::vector<PortAccess>& Log() const { return log_; }
  void ClearLog() { log_.clear(); }

 private:
  struct PortScript {
    uint16_t port;
    std::deque<uint8_t> answers;
    uint8_t fallback = 0xFF;
  };

  PortScript& ScriptFor(uint16_t port);

  std::vector<PortAccess> log_;
  std::vector<PortScript> scripts_;
};

}  // namespace zarvel
