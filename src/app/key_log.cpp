#include "app/key_log.h"

#include "app/editor_texts.h"

namespace zarvel {

KeyLog::KeyLog(wxWindow* parent) : wxListBox(parent, wxID_ANY) {
  SetName("key log");
}

void KeyLog::AddByte(uint8_t byte) {
  const ScanCodeEvent event = decoder_.Decode(byte);
  if (event.kind != ScanCodeEvent::Kind::kPrefix) {
    AddLine(DescribeScanCodeEvent(event));
  }
}

void KeyLog::AddLost(uint64_t bytes) {
  // The key after a gap may lack its prefix, so the decoding starts afresh.
  decoder_ = ScanCodeDecoder();
  AddLine(wxString::Format(kBytesLost, static_cast<unsigned long long>(bytes)));
}

void KeyLog::AddLine(const wxString& line) {
  Freeze();
  while (GetCount() >= kLines) {
    Delete(0);
  }
  Append(line);
  EnsureVisible(static_cast<int>(GetCount()) - 1);
  Thaw();
}

}  // namespace zarvel
