#pragma once

#include <cstdint>
#include <vector>

#include "hardware/pin_def.h"
#include "platform/sim/sim_device.h"
#include "platform/sim/sim_game_pad.h"

namespace zarvel {

// A standard PC parallel port at `base`, with pads on its connector. The data register drives
// pins 2 to 9 and reads back as written. The status register shows the levels of pins 15, 13,
// 12, 10 and 11. The control register drives pins 1, 14, 16 and 17 through open-collector
// outputs: a line driven high can be pulled low by a pad, and a read shows the levels at the
// connector. Lines tied together are low when anything drives one of them low; an input line
// that nothing drives has no pull-up and reads low. The control register's direction bit turns
// the data lines to input: they stop driving, and the data register shows their levels, high
// where nothing pulls them low.
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

  bool DataLinesRead() const { return (control_ & kParControlDataInput) != 0; }
  // Whether the port itself drives an output pin high (for a control pin: releases it).
  bool PortDrivesHigh(int32_t pin) const;
  // The bits of one register that show the levels of the connector pins it carries.
  uint8_t RegisterLines(int8_t reg) const;
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
