#include "support/recording_port.h"

#include <cstdio>

namespace zarvel {

std::string Describe(const PortAccess& access) {
  char text[32];
  switch (access.kind) {
    case PortAccess::Kind::kIn:
      std::snprintf(text, sizeof text, "in %04X -> %02X", access.port, access.value);
      break;
    case PortAccess::Kind::kOut:
      std::snprintf(text, sizeof text, "out %04X <- %02X", access.port, access.value);
      break;
    case PortAccess::Kind::kDisableInterrupts:
      return "cli";
    case PortAccess::Kind::kEnableInterrupts:
      return "sti";
  }
  return text;
}

RecordingPort::PortScript& RecordingPort::ScriptFor(uint16_t port) {
  for (PortScript& script : scripts_) {
    if (script.port == port) {
      return script;
    }
  }
  scripts_.push_back(PortScript{port, {}, 0xFF});
  return scripts_.back();
}

uint8_t RecordingPort::In(uint16_t port) {
  PortScript& script = ScriptFor(port);
  uint8_t value = script.fallback;
  if (!script.answers.empty()) {
    value = script.answers.front();
    script.answers.pop_front();
  }
  log_.push_back(PortAccess::In(port, value));
  return value;
}

void RecordingPort::Out(uint16_t port, uint8_t value) {
  log_.push_back(PortAccess::Out(port, value));
}

void RecordingPort::DisableInterrupts() {
  log_.push_back(PortAccess::Cli());
}

void RecordingPort::EnableInterrupts() {
  log_.push_back(PortAccess::Sti());
}

void RecordingPort::Script(uint16_t port, std::vector<uint8_t> answers) {
  PortScript& script = ScriptFor(port);
  script.answers.insert(script.answers.end(), answers.begin(), answers.end());
}

void RecordingPort::AnswerAlways(uint16_t port, uint8_t value) {
  ScriptFor(port).fallback = value;
}

}  // namespace zarvel
