#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include <wx/listbox.h>

#include "hardware/scan_code_decoder.h"

namespace zarvel {

// Every byte the execution sent to the keyboard, decoded for a person ("a pressed by b of
// [snes 1]", "lshift released"), newest last. A key pressed again and again by the same button,
// as a repeating button does, takes one line that counts its presses ("rshift ×12 by b of
// [nes 2]"), so it does not push everything else out. It keeps the last kLines lines, so a long
// execution cannot fill the memory.
class KeyLog : public wxListBox {
 public:
  static constexpr unsigned kLines = 500;
  // Which button sent a key going down (`pressed`) or up: "b of [snes 1]", or empty when no
  // button is known to type it.
  using SourceOf = std::function<wxString(const std::string& key, bool pressed)>;

  explicit KeyLog(wxWindow* parent, SourceOf source = {});

  // Adds the event the byte completes; a prefix waits for the byte that ends its key.
  void AddByte(uint8_t byte);
  // Says that bytes went by too fast for the log to keep them.
  void AddLost(uint64_t bytes);
  // A line between the keys of one execution and the next.
  void AddLine(const wxString& line);
  // Empties the log.
  void ClearLines();

  bool AcceptsFocus() const override { return false; }

 private:
  void AddKey(const wxString& key, bool pressed);
  void EndGroup();

  ScanCodeDecoder decoder_;
  SourceOf source_;
  // The key and button of the last line, and how far a run of presses of it has got: the
  // line of its first press, its presses, and whether it was let go since the last one.
  wxString lastKey_;
  wxString lastSource_;
  int pressLine_ = -1;
  int presses_ = 0;
  bool released_ = false;
};

}  // namespace zarvel
