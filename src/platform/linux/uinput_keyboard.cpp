#include "platform/linux/uinput_keyboard.h"

#include <fcntl.h>
#include <linux/input-event-codes.h>

#include <algorithm>
#include <cerrno>

#include "hardware/scan_codes.h"

namespace zarvel {
namespace {

// Values of a key event.
constexpr int32_t kKeyUp = 0;
constexpr int32_t kKeyDown = 1;
constexpr int32_t kKeyRepeat = 2;

std::string OpenError(const std::string& path, int error) {
  switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return path + " is missing: load the uinput module (sudo modprobe uinput)";
    case EACCES:
    case EPERM:
      return "no permission to write " + path +
             ": install Zarvel's udev rule, which gives it to the user at the machine's seat, as "
             "the README's section \"Using real pads\" says";
    default:
      return "could not open " + path + ": " + ErrorText(error);
  }
}

}  // namespace

UinputDevice::Opened UinputDevice::Open(SystemCalls& calls, const std::string& path) {
  const int fd = calls.Open(path, O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    return {nullptr, OpenError(path, -fd)};
  }
  return {std::unique_ptr<UinputDevice>(new UinputDevice(calls, fd)), {}};
}

UinputDevice::~UinputDevice() {
  calls_.Close(fd_);
}

UinputKeyboard::Created UinputKeyboard::Create(UinputDevice& uinput, EvdevCalls& evdev) {
  std::vector<uint16_t> codes;
  for (const ScanCodeKey& key : ScanCodeKeys()) {
    codes.push_back(key.linuxCode);
  }
  EvdevCalls::Device device = nullptr;
  if (const int result = evdev.CreateKeyboard(uinput.Fd(), kVirtualKeyboardName, codes, device);
      result < 0) {
    return {nullptr, std::string("could not create the virtual keyboard: ") + ErrorText(-result)};
  }
  // The keys it holds are kept in a HeldKeys, which takes room for every key as it is made, so
  // typing during the ticks never allocates.
  std::unique_ptr<UinputKeyboard> keyboard(new UinputKeyboard(evdev, device));
  return {std::move(keyboard), {}};
}

UinputKeyboard::~UinputKeyboard() {
  // Released in the opposite order to going down, as fingers leave a chord. An execution lets
  // its keys go itself as it ends; this is for one that could not.
  const std::vector<const ScanCodeKey*>& keys = held_.Keys();
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
    Send((*key)->linuxCode, kKeyUp);
  }
  evdev_.Destroy(device_);
}

std::vector<uint16_t> UinputKeyboard::HeldCodes() const {
  std::vector<uint16_t> codes;
  for (const ScanCodeKey* key : held_.Keys()) {
    codes.push_back(key->linuxCode);
  }
  return codes;
}

void UinputKeyboard::Deliver(uint8_t byte) {
  const HeldKeys::Delivered delivered = held_.Deliver(byte);
  // Prefixes, the fake shift that frames the print screen key and codes of no key type nothing.
  if (delivered.event.kind != ScanCodeEvent::Kind::kKey) {
    return;
  }
  const uint16_t code = delivered.event.key->linuxCode;
  if (delivered.event.pressed) {
    // A keyboard repeats a held key by sending its make code again: that is a repeat.
    Send(code, delivered.wasDown ? kKeyRepeat : kKeyDown);
  } else if (delivered.wasDown) {
    Send(code, kKeyUp);
  }
}

void UinputKeyboard::Send(uint16_t code, int32_t value) {
  // A lost event cannot be recovered here; the next one is sent all the same.
  evdev_.WriteEvent(device_, EV_KEY, code, value);
  evdev_.WriteEvent(device_, EV_SYN, SYN_REPORT, 0);
}

}  // namespace zarvel
