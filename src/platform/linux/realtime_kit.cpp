#include "platform/linux/realtime_kit.h"

#ifdef ZARVEL_NO_REALTIMEKIT

namespace zarvel {

// A build without libdbus (the static one) cannot reach the bus.
RealtimeKitClient::RealtimeKitClient(std::string busAddress) : busAddress_(std::move(busAddress)) {}

RealtimeKitClient::~RealtimeKitClient() = default;

std::optional<std::string> RealtimeKitClient::Connect() {
  return "this build cannot reach the system bus";
}

std::optional<RealtimeKitLimits> RealtimeKitClient::ReadLimits(std::string& error) {
  error = "not connected";
  return std::nullopt;
}

std::optional<std::string> RealtimeKitClient::MakeThreadRealtime(pid_t, pid_t, uint32_t) {
  return "not connected";
}

}  // namespace zarvel

#else

#include <dbus/dbus.h>

namespace zarvel {
namespace {

constexpr char kServiceName[] = "org.freedesktop.RealtimeKit1";
constexpr char kObjectPath[] = "/org/freedesktop/RealtimeKit1";
constexpr char kInterface[] = "org.freedesktop.RealtimeKit1";
constexpr char kPropertiesInterface[] = "org.freedesktop.DBus.Properties";
// The service may be started by the bus on the first call, which takes a moment.
constexpr int kCallTimeoutMs = 3000;

// An error libdbus filled in, freed with it.
class BusError {
 public:
  BusError() { dbus_error_init(&error_); }
  ~BusError() { dbus_error_free(&error_); }
  BusError(const BusError&) = delete;
  BusError& operator=(const BusError&) = delete;

  DBusError* Get() { return &error_; }
  bool IsSet() const { return dbus_error_is_set(&error_) != 0; }
  std::string Text() const {
    return IsSet() && error_.message != nullptr ? error_.message : "no answer";
  }

 private:
  DBusError error_;
};

// A message that is let go of when it goes out of scope.
class Message {
 public:
  explicit Message(DBusMessage* message) : message_(message) {}
  ~Message() {
    if (message_ != nullptr) {
      dbus_message_unref(message_);
    }
  }
  Message(const Message&) = delete;
  Message& operator=(const Message&) = delete;

  DBusMessage* Get() const { return message_; }

 private:
  DBusMessage* message_;
};

// The whole number a property's variant holds, whichever integer type the service gave it.
std::optional<int64_t> IntegerInVariant(DBusMessage* reply) {
  DBusMessageIter top;
  if (dbus_message_iter_init(reply, &top) == 0 ||
      dbus_message_iter_get_arg_type(&top) != DBUS_TYPE_VARIANT) {
    return std::nullopt;
  }
  DBusMessageIter value;
  dbus_message_iter_recurse(&top, &value);
  switch (dbus_message_iter_get_arg_type(&value)) {
    case DBUS_TYPE_INT32: {
      dbus_int32_t number = 0;
      dbus_message_iter_get_basic(&value, &number);
      return number;
    }
    case DBUS_TYPE_UINT32: {
      dbus_uint32_t number = 0;
      dbus_message_iter_get_basic(&value, &number);
      return number;
    }
    case DBUS_TYPE_INT64: {
      dbus_int64_t number = 0;
      dbus_message_iter_get_basic(&value, &number);
      return number;
    }
    case DBUS_TYPE_UINT64: {
      dbus_uint64_t number = 0;
      dbus_message_iter_get_basic(&value, &number);
      return static_cast<int64_t>(number);
    }
    default:
      return std::nullopt;
  }
}

}  // namespace

RealtimeKitClient::RealtimeKitClient(std::string busAddress) : busAddress_(std::move(busAddress)) {}

RealtimeKitClient::~RealtimeKitClient() {
  if (connection_ != nullptr) {
    dbus_connection_close(connection_);
    dbus_connection_unref(connection_);
  }
}

std::optional<std::string> RealtimeKitClient::Connect() {
  BusError error;
  // A private connection of its own, so nothing else in the process shares it or its end.
  if (busAddress_.empty()) {
    connection_ = dbus_bus_get_private(DBUS_BUS_SYSTEM, error.Get());
  } else {
    connection_ = dbus_connection_open_private(busAddress_.c_str(), error.Get());
    if (connection_ != nullptr && dbus_bus_register(connection_, error.Get()) == 0) {
      dbus_connection_close(connection_);
      dbus_connection_unref(connection_);
      connection_ = nullptr;
    }
  }
  if (connection_ == nullptr) {
    return "cannot reach the system bus: " + error.Text();
  }
  // libdbus would end the whole process when the bus goes away.
  dbus_connection_set_exit_on_disconnect(connection_, FALSE);
  return std::nullopt;
}

std::optional<RealtimeKitLimits> RealtimeKitClient::ReadLimits(std::string& error) {
  const auto read = [&](const char* property) -> std::optional<int64_t> {
    Message call(
        dbus_message_new_method_call(kServiceName, kObjectPath, kPropertiesInterface, "Get"));
    const char* interface = kInterface;
    if (call.Get() == nullptr ||
        dbus_message_append_args(call.Get(), DBUS_TYPE_STRING, &interface, DBUS_TYPE_STRING,
                                 &property, DBUS_TYPE_INVALID) == 0) {
      error = "out of memory";
      return std::nullopt;
    }
    BusError callError;
    Message reply(dbus_connection_send_with_reply_and_block(connection_, call.Get(), kCallTimeoutMs,
                                                            callError.Get()));
    if (reply.Get() == nullptr) {
      error = callError.Text();
      return std::nullopt;
    }
    std::optional<int64_t> value = IntegerInVariant(reply.Get());
    if (!value) {
      error = std::string(property) + " is not a number";
    }
    return value;
  };
  const std::optional<int64_t> priority = read("MaxRealtimePriority");
  if (!priority) {
    return std::nullopt;
  }
  const std::optional<int64_t> rtTime = read("RTTimeUSecMax");
  if (!rtTime) {
    return std::nullopt;
  }
  return RealtimeKitLimits{static_cast<int32_t>(*priority), *rtTime};
}

std::optional<std::string> RealtimeKitClient::MakeThreadRealtime(pid_t process, pid_t thread,
                                                                 uint32_t priority) {
  Message call(dbus_message_new_method_call(kServiceName, kObjectPath, kInterface,
                                            "MakeThreadRealtimeWithPID"));
  const dbus_uint64_t processId = static_cast<dbus_uint64_t>(process);
  const dbus_uint64_t threadId = static_cast<dbus_uint64_t>(thread);
  const dbus_uint32_t asked = priority;
  if (call.Get() == nullptr ||
      dbus_message_append_args(call.Get(), DBUS_TYPE_UINT64, &processId, DBUS_TYPE_UINT64,
                               &threadId, DBUS_TYPE_UINT32, &asked, DBUS_TYPE_INVALID) == 0) {
    return "out of memory";
  }
  BusError error;
  Message reply(dbus_connection_send_with_reply_and_block(connection_, call.Get(), kCallTimeoutMs,
                                                          error.Get()));
  if (reply.Get() == nullptr) {
    return error.Text();
  }
  return std::nullopt;
}

}  // namespace zarvel

#endif
