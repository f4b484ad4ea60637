#include "support/stand_in_realtime_kit.h"

#include <dbus/dbus.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

namespace zarvel::testing {
namespace {

constexpr char kServiceName[] = "org.freedesktop.RealtimeKit1";
constexpr char kInterface[] = "org.freedesktop.RealtimeKit1";
constexpr char kPropertiesInterface[] = "org.freedesktop.DBus.Properties";
// How long the bus may take to start before the test gives up on it.
constexpr int kBusStartMs = 10000;
// The file descriptor the bus prints its address on.
constexpr int kAddressFd = 3;

// A bus that lets everyone own every name and call everything, as a session bus does.
constexpr char kBusConfig[] = R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=@DIR@</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

}  // namespace

StandInRealtimeKit::StandInRealtimeKit(StandInAnswers answers) : answers_(std::move(answers)) {
  StartBus();
  if (problem_.empty() && answers_.serve) {
    StartService();
  }
}

StandInRealtimeKit::~StandInRealtimeKit() {
  stopping_ = true;
  if (server_.joinable()) {
    server_.join();
  }
  if (connection_ != nullptr) {
    dbus_connection_close(connection_);
    dbus_connection_unref(connection_);
  }
  if (daemon_ > 0) {
    kill(daemon_, SIGTERM);
    waitpid(daemon_, nullptr, 0);
  }
}

std::vector<std::string> StandInRealtimeKit::Calls() {
  const std::lock_guard lock(mutex_);
  return calls_;
}

void StandInRealtimeKit::StartBus() {
  std::string config = kBusConfig;
  config.replace(config.find("@DIR@"), 5, dir_.Path().string());
  const std::string configPath = dir_.Write("bus.conf", config);
  int pipeEnds[2];
  if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
    problem_ = "no pipe";
    return;
  }
  // The bus prints its address on the pipe once it listens.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], kAddressFd);
  // What it says of its own set-up (a limit it may not raise) is no concern of the test.
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  const std::string configArgument = "--config-file=" + configPath;
  const std::string printArgument = "--print-address=" + std::to_string(kAddressFd);
  const char* arguments[] = {"dbus-daemon",         "--nofork",
                             "--nopidfile",         configArgument.c_str(),
                             printArgument.c_str(), nullptr};
  const int spawned = posix_spawnp(&daemon_, "dbus-daemon", &actions, nullptr,
                                   const_cast<char* const*>(arguments), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  if (spawned != 0) {
    daemon_ = -1;
    close(pipeEnds[0]);
    problem_ = "dbus-daemon could not be started (package dbus-daemon)";
    return;
  }
  std::string printed;
  pollfd ready{pipeEnds[0], POLLIN, 0};
  while (printed.find('\n') == std::string::npos && poll(&ready, 1, kBusStartMs) == 1) {
    char buffer[256];
    const ssize_t count = read(pipeEnds[0], buffer, sizeof buffer);
    if (count <= 0) {
      break;
    }
    printed.append(buffer, static_cast<size_t>(count));
  }
  close(pipeEnds[0]);
  if (printed.find('\n') == std::string::npos) {
    problem_ = "dbus-daemon did not say where it listens";
    return;
  }
  address_ = printed.substr(0, printed.find('\n'));
}

void StandInRealtimeKit::StartService() {
  DBusError error;
  dbus_error_init(&error);
  connection_ = dbus_connection_open_private(address_.c_str(), &error);
  if (connection_ == nullptr || dbus_bus_register(connection_, &error) == 0 ||
      dbus_bus_request_name(connection_, kServiceName, DBUS_NAME_FLAG_DO_NOT_QUEUE, &error) !=
          DBUS_REQUEST_NAME_REPLY_PRIMARY_OWNER) {
    problem_ = std::string("the stand-in could not take its name: ") +
               (dbus_error_is_set(&error) ? error.message : "refused");
    dbus_error_free(&error);
    return;
  }
  dbus_connection_set_exit_on_disconnect(connection_, FALSE);
  server_ = std::thread([this] { Serve(); });
}

void StandInRealtimeKit::Serve() {
  while (!stopping_ && dbus_connection_read_write(connection_, 20) != 0) {
    while (DBusMessage* message = dbus_connection_pop_message(connection_)) {
      Answer(message);
      dbus_message_unref(message);
    }
  }
}

void StandInRealtimeKit::Answer(DBusMessage* message) {
  if (dbus_message_get_type(message) != DBUS_MESSAGE_TYPE_METHOD_CALL) {
    return;
  }
  DBusMessage* reply = nullptr;
  DBusError error;
  dbus_error_init(&error);
  if (dbus_message_is_method_call(message, kPropertiesInterface, "Get") != 0) {
    const char* interface = nullptr;
    const char* property = nullptr;
    dbus_message_get_args(message, &error, DBUS_TYPE_STRING, &interface, DBUS_TYPE_STRING,
                          &property, DBUS_TYPE_INVALID);
    const std::string name = property != nullptr ? property : "";
    {
      const std::lock_guard lock(mutex_);
      calls_.push_back("Get " + name);
    }
    // The types RealtimeKit gives them: int32 for the priority, int64 for the time.
    reply = dbus_message_new_method_return(message);
    DBusMessageIter top;
    DBusMessageIter variant;
    dbus_message_iter_init_append(reply, &top);
    if (name == "MaxRealtimePriority") {
      const dbus_int32_t value = answers_.maxPriority;
      dbus_message_iter_open_container(&top, DBUS_TYPE_VARIANT, "i", &variant);
      dbus_message_iter_append_basic(&variant, DBUS_TYPE_INT32, &value);
    } else {
      const dbus_int64_t value = answers_.rtTimeUsecMax;
      dbus_message_iter_open_container(&top, DBUS_TYPE_VARIANT, "x", &variant);
      dbus_message_iter_append_basic(&variant, DBUS_TYPE_INT64, &value);
    }
    dbus_message_iter_close_container(&top, &variant);
  } else if (dbus_message_is_method_call(message, kInterface, "MakeThreadRealtimeWithPID") != 0) {
    dbus_uint64_t process = 0;
    dbus_uint64_t thread = 0;
    dbus_uint32_t priority = 0;
    dbus_message_get_args(message, &error, DBUS_TYPE_UINT64, &process, DBUS_TYPE_UINT64, &thread,
                          DBUS_TYPE_UINT32, &priority, DBUS_TYPE_INVALID);
    {
      const std::lock_guard lock(mutex_);
      calls_.push_back("MakeThreadRealtimeWithPID " + std::to_string(process) + " " +
                       std::to_string(thread) + " " + std::to_string(priority));
    }
    reply = answers_.refusalName.empty()
                ? dbus_message_new_method_return(message)
                : dbus_message_new_error(message, answers_.refusalName.c_str(),
                                         answers_.refusalMessage.c_str());
  } else {
    reply = dbus_message_new_error(message, DBUS_ERROR_UNKNOWN_METHOD, "no such method");
  }
  dbus_error_free(&error);
  dbus_connection_send(connection_, reply, nullptr);
  dbus_connection_flush(connection_);
  dbus_message_unref(reply);
}

}  // namespace zarvel::testing
