#include "app/key_log.h"

#include "app/editor_texts.h"

namespace zarvel {

KeyLog::KeyLog(wxWindow* parent, SourceOf source)
    : wxListBox(parent, wxID_ANY), source_(std::move(source)) {
  SetName("key log");
}

void KeyLog::AddByte(uint8_t byte) {
  const ScanCodeEvent event = decoder_.Decode(byte);
  if (event.kind == ScanCodeEvent::Kind::kKey) {
    AddKey(wxString::FromUTF8(event.key->name.data(), event.key->name.size()), event.pressed);
  } else if (event.kind != ScanCodeEvent::Kind::kPrefix) {
    AddLine(DescribeScanCodeEvent(event));
  }
}

void KeyLog::AddKey(const wxString& key, bool pressed) {
  const wxString source = source_ ? source_(std::string(key.utf8_str()), pressed) : wxString();
  const bool sameKey = key == lastKey_ && source == lastSource_ && pressLine_ >= 0 &&
                       static_cast<unsigned>(pressLine_) < GetCount();
  // Within a run of one key: its release waits for the next press, which counts.
  if (sameKey && !pressed && !released_) {
    released_ = true;
    if (presses_ > 1) {
      return;
    }
  } else if (sameKey && pressed && released_) {
    ++presses_;
    released_ = false;
    // The run's lines become one: its first press's line counts them all.
    while (GetCount() > static_cast<unsigned>(pressLine_) + 1) {
      Delete(GetCount() - 1);
    }
    wxString line = wxString::Format(wxString::FromUTF8(kKeyRepeated), key, presses_);
    if (!source.empty()) {
      line = wxString::Format(kKeyBy, line, source);
    }
    SetString(static_cast<unsigned>(pressLine_), line);
    return;
  }
  wxString line = key + (pressed ? kKeyPressed : kKeyReleased);
  if (!source.empty()) {
    line = wxString::Format(kKeyBy, line, source);
  }
  AddLine(line);
  if (pressed && !sameKey) {
    lastKey_ = key;
    lastSource_ = source;
    pressLine_ = static_cast<int>(GetCount()) - 1;
    presses_ = 1;
    released_ = false;
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
    --pressLine_;
  }
  Append(line);
  EnsureVisible(static_cast<int>(GetCount()) - 1);
  Thaw();
  // A line of another key ends the run: only the lines of one key's run may follow its first.
  if (pressLine_ >= 0 && line.StartsWith(lastKey_ + kKeyPressed) == false &&
      line.StartsWith(lastKey_ + kKeyReleased) == false) {
    EndGroup();
  }
}

void KeyLog::ClearLines() {
  Clear();
  EndGroup();
}

void KeyLog::EndGroup() {
  lastKey_.clear();
  lastSource_.clear();
  pressLine_ = -1;
  presses_ = 0;
  released_ = false;
}

}  // namespace zarvel
