// Prints the key events of one input device with their own timestamps, taken on the monotonic
// clock, for the guest PC's timing of a press to its key: "512.000250 30 1" is key code 30
// going down (1; 0 is up, 2 a repeat) at 512.000250 s. It reads until the device goes away
// (the runner's virtual keyboard is removed when its execution ends) or it is ended by a
// signal, and every line is written as it is read, so that nothing is lost either way.
//
// Usage: key-event-times /dev/input/eventN
#include <fcntl.h>
#include <linux/input.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: key-event-times /dev/input/eventN\n");
    return 2;
  }
  const int device = open(argv[1], O_RDONLY);
  if (device < 0) {
    std::perror(argv[1]);
    return 1;
  }
  // Events are stamped with the real-time clock unless the reader asks for another; the
  // runner's --tick-times are on the monotonic one.
  int clock = CLOCK_MONOTONIC;
  if (ioctl(device, EVIOCSCLOCKID, &clock) != 0) {
    std::perror("EVIOCSCLOCKID");
    return 1;
  }
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  input_event events[64];
  for (;;) {
    const ssize_t got = read(device, events, sizeof events);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      // The device went away (ENODEV): the execution has ended.
      return 0;
    }
    for (size_t i = 0; i < static_cast<size_t>(got) / sizeof events[0]; ++i) {
      const input_event& event = events[i];
      if (event.type == EV_KEY) {
        std::printf("%ld.%06ld %u %d\n", static_cast<long>(event.input_event_sec),
                    static_cast<long>(event.input_event_usec), event.code, event.value);
      }
    }
  }
}
