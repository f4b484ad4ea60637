#pragma once

#include <cstdint>
#include <vector>

#include "platform/sim/sim_device.h"
#include "platform/sim/sim_game_pad.h"

namespace zarvel {

// Register offsets from the port's base address.
inline constexpr uint16_t kParRegData = 0;
inline constexpr uint16_t kParRegStatus = 1;
inline constexpr uint16_t kParRegControl = 2;

// Status register bits (read only) and the connector pins they show.
inline constexpr uint8_t kParStatusError = 0x08;     // Pin 15.
inline constexpr uint8_t kParStatusSelect = 0x10;    // Pin 13.
inline constexpr uint8_t kParStatusPaperEnd = 0x20;  // Pin 12.
inline constexpr uint8_t kParStatusAck = 0x40;       // Pin 10.
inline constexpr uint8_t kParStatusBusy = 0x80;      // Pin 11, inverted by the hardware.
inline constexpr uint8_t kParStatusInverted = kParStatusBusy;
inline constexpr uint8_t kParStatusUnused = 0x07;  // Not wired; they read high.

// Control register bits and the connector pins they drive. The lines are open-collector.
inline constexpr uint8_t kParControlStrobe = 0x01;    // Pin 1, inverted by the hardware.
inline constexpr uint8_t kParControlAutoFeed = 0x02;  // Pin 14, inverted by the hardware.
inline constexpr uint8_t kParControlInit = 0x04;      // Pin 16.
inline constexpr uint8_t kParControlSelectIn = 0x08;  // Pin 17, inverted by the hardware.
inline constexpr uint8_t kParControlInverted =
    kParControlStrobe | kParControlAutoFeed | kParControlSelectIn;

// A standard PC parallel port at `base`, with pads on its connector. The data register drives
// pins 2 to 9 and reads back as written. The status register shows the levels of pins 15, 13,
// 12, 10 and 11. The control register drives pins 1, 14, 16 and 17 through open-collector
// outputs: a line driven high can be pulled low by a pad, and a read shows the levels at the
// connector. Lines tied together are low when anything drives one of them low; an input line
// that nothing drives has no pull-up and reads low.
class SimParallelPort : public SimDevice {
 public:
  explicit SimParallelPort(int32_t base);

  bool Claims(uint16_t port) const override;
  uint8_t Read(uint16_t port) override;
  void Write(uint16_t port, uint8_t value) override;

  // Plugs a pad into the connector. The pad must outlive the port's use of it.
  void Plug(SimGamePad& pad);

  // The level at a connector pin: true when high.
  bool PinLevel(int32_t pin) const;

  uint16_t Base() const { return base_; }

 private:
  uint8_t ReadStatus() const;
  uint8_t ReadControl() const;
  void WriteData(uint8_t value);
  void WriteControl(uint8_t value);

  // Whether the port itself drives an output pin high (for a control pin: releases it).
  bool PortDrivesHigh(int32_t pin) const;
  // Whether every pin of a pad's line is high.
  bool LineLevel(const std::vector<int32_t>& pins) const;
  // Lets every pad see its input lines after the port's outputs changed.
  void UpdatePads();

  uint16_t base_;
  uint8_t data_ = 0;
  uint8_t control_ = 0;
  std::vector<SimGamePad*> pads_;
};

}  // namespace zarvel
