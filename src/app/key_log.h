#pragma once

#include <cstdint>

#include <wx/listbox.h>

#include "hardware/scan_code_decoder.h"

namespace zarvel {

// Every byte the execution sent to the keyboard, decoded for a person ("a pressed", "lshift
// released"), newest last. It keeps the last kLines of them, so a long execution cannot fill
// the memory.
class KeyLog : public wxListBox {
 public:
  static constexpr unsigned kLines = 500;

  explicit KeyLog(wxWindow* parent);

  // Adds the event the byte completes; a prefix waits for the byte that ends its key.
  void AddByte(uint8_t byte);
  // Says that bytes went by too fast for the log to keep them.
  void AddLost(uint64_t bytes);
  // A line between the keys of one execution and the next.
  void AddLine(const wxString& line);

  bool AcceptsFocus() const override { return false; }

 private:
  ScanCodeDecoder decoder_;
};

}  // namespace zarvel
