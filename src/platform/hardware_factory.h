#pragma once

#include <memory>
#include <string>

#include "platform/execution_hardware.h"
#include "platform/hardware_choice.h"
#include "platform/home_directory.h"
#include "platform/linux/direct_port.h"
#include "platform/linux/evdev_calls.h"
#include "platform/linux/ppdev_port.h"
#include "platform/linux/system_calls.h"
#include "platform/linux/uinput_keyboard.h"

namespace zarvel {

// Makes the hardware of each execution a host starts, as the user chose it. It lives as long
// as the host: the devices it opens (the parallel-port device, /dev/uinput) and the ports the
// kernel granted stay with it, so a host started through sudo gives up root after the first
// execution's hardware is open and can still make the next one's.
//
// A host started as root without sudo keeps root; the first time the factory opens real
// hardware it says so, once, through the notice sink.
//
// Both hosts use it the same way: read --parport and --keyboard into a HardwareChoice, make
// one factory, and call Open before each execution, on the thread that starts it. The
// factory must outlive every ExecutionHardware it made.
class HardwareFactory {
 public:
  HardwareFactory(HardwareChoice choice, SystemCalls& calls, EvdevCalls& evdev,
                  NoticeSink notice = {});
  ~HardwareFactory();
  HardwareFactory(const HardwareFactory&) = delete;
  HardwareFactory& operator=(const HardwareFactory&) = delete;

  // The hardware, or why it could not be had, as a person should read it.
  struct Opened {
    std::unique_ptr<ExecutionHardware> hardware;
    std::string error;
  };

  // The hardware an execution of the document will drive. The parallel port's address is read
  // from the same files the execution reads ([config] Port of the document or the home
  // directory's zarvel.ini); the simulated port gets the pads those files describe, following
  // `script`. When the address cannot be read no port is set up: the execution meets the same
  // fault and reports it itself.
  Opened Open(const std::string& documentPath, const std::string& homeDir, PadScript script = {});

  // The hardware the next executions drive. Only while no execution runs: a device the new
  // choice does not use (another parallel-port device, the virtual keyboard) is closed now.
  void SetChoice(const HardwareChoice& choice);
  const HardwareChoice& Choice() const { return choice_; }
  // The system calls every execution's hardware is reached through.
  SystemCalls& Calls() { return calls_; }

  // Lets go of what the ended execution no longer needs and the next one could have again:
  // the direct-port grants, unless root has been given up since they were had. Called on the
  // thread that calls Open, once the execution has ended.
  void ReleaseBetweenExecutions();
  bool RootGivenUp() const { return rootGivenUp_; }

  // Makes or completes the home directory through the factory's system calls, so that a host
  // still running as root through sudo gives what it makes to the user who ran sudo.
  SeedResult SeedHome(const std::string& homeDir);

 private:
  std::optional<std::string> OpenParallelPort(const PortWiring& wiring,
                                              ExecutionHardware& hardware);
  std::optional<std::string> OpenDirectPorts(const PortWiring& wiring, ExecutionHardware& hardware);
  std::optional<std::string> OpenVirtualKeyboard(ExecutionHardware& hardware);
  void WarnOfControlDataLines(const PortWiring& wiring);
  void SayWhenRootIsKept();

  HardwareChoice choice_;
  SystemCalls& calls_;
  EvdevCalls& evdev_;
  NoticeSink notice_;
  std::unique_ptr<PpdevDevice> ppdev_;
  std::unique_ptr<UinputDevice> uinput_;
  DirectPortAccess direct_;
  bool rootGivenUp_ = false;
  bool rootKeptNoticeGiven_ = false;
};

}  // namespace zarvel
