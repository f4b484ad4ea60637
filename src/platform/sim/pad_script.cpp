#include "platform/sim/pad_script.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>

namespace zarvel {
namespace {

constexpr std::string_view kNoButton = "-";
constexpr std::string_view kUnplugged = "unplugged";
constexpr std::string_view kAnalog = "analog";
constexpr std::string_view kThreeButtons = "threebutton";
constexpr char kCommentMark = '#';

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  constexpr std::string_view kBlanks = " \t\r\v\f";
  while (true) {
    const size_t start = line.find_first_not_of(kBlanks);
    if (start == std::string_view::npos) {
      return words;
    }
    line.remove_prefix(start);
    const size_t end = std::min(line.find_first_of(kBlanks), line.size());
    words.push_back(line.substr(0, end));
    line.remove_prefix(end);
  }
}

// The word in double quotes, as the messages show it.
std::string Quote(std::string_view word) {
  std::string quoted(1, '"');
  quoted.append(word);
  quoted.push_back('"');
  return quoted;
}

bool ReadWhole(std::string_view word, int32_t& number) {
  const char* end = word.data() + word.size();
  const auto [next, error] = std::from_chars(word.data(), end, number);
  return error == std::errc() && next == end;
}

bool EqualsIgnoringCase(std::string_view word, std::string_view name) {
  return word.size() == name.size() && strncasecmp(word.data(), name.data(), name.size()) == 0;
}

// The part of a line after TICK and PAD; an error text when it is not one of the three forms.
std::optional<std::string> ReadInput(const std::vector<std::string_view>& words, PadInput& input) {
  if (words.size() == 2) {
    return "no buttons given: name them, or write - for none or unplugged for a pad unplugged";
  }
  if (words.size() == 3 && words[2] == kNoButton) {
    return std::nullopt;
  }
  if (words.size() == 3 && EqualsIgnoringCase(words[2], kUnplugged)) {
    input.plugged = false;
    return std::nullopt;
  }
  for (size_t i = 2; i < words.size(); ++i) {
    if (words[i] == kNoButton || EqualsIgnoringCase(words[i], kUnplugged)) {
      return Quote(words[i]) + " must stand alone after TICK and PAD";
    }
    if (EqualsIgnoringCase(words[i], kAnalog)) {
      input.analog = true;
      continue;
    }
    if (EqualsIgnoringCase(words[i], kThreeButtons)) {
      input.threeButtons = true;
      continue;
    }
    const std::optional<SimButton> button = SimButtonNamed(words[i]);
    if (!button) {
      return Quote(words[i]) +
             " is not a button (a, b, x, y, l, r, select, start, up, down, left, right, or a"
             " PlayStation pad's, a Genesis pad's or an Atari stick's)";
    }
    input.Hold(*button);
  }
  return std::nullopt;
}

// SIGINT or SIGTERM, blocked in this thread, came meanwhile: it is let through, so that it
// ends the process as it would have without the block.
void LetStopSignalsThrough() {
  sigset_t pending;
  if (sigpending(&pending) != 0) {
    return;
  }
  sigset_t stops;
  sigemptyset(&stops);
  for (const int signal : {SIGINT, SIGTERM}) {
    if (sigismember(&pending, signal) == 1) {
      sigaddset(&stops, signal);
    }
  }
  pthread_sigmask(SIG_UNBLOCK, &stops, nullptr);
}

// Reads the whole file, up to the size limit. A script may come from a pipe whose writer has
// not opened it yet or is slow to write, so the file is opened without waiting and every wait
// is a ppoll that lets SIGINT and SIGTERM through: the runner keeps them blocked from its
// start, to take them by polling once the execution runs, and until then they must still end
// the process. A stream that always has more to read never waits, so between reads the
// signals that came are let through as well.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string& contents) {
  const std::string unreadable = path + ": cannot read the pad script";
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    return unreadable;
  }
  sigset_t waitMask;
  pthread_sigmask(SIG_BLOCK, nullptr, &waitMask);
  sigdelset(&waitMask, SIGINT);
  sigdelset(&waitMask, SIGTERM);
  pollfd readable{fd, POLLIN, 0};
  char buffer[65536];
  std::optional<std::string> error = unreadable;
  while (contents.size() <= kMaxPadScriptBytes) {
    LetStopSignalsThrough();
    if (::ppoll(&readable, 1, nullptr, &waitMask) < 0) {
      if (errno == EINTR) {
        continue;
      }
      break;
    }
    // A FIFO read before its first writer has come also gives 0, but ppoll does not return
    // until a writer has written or gone, so 0 here is the end of the file.
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count == 0) {
      error.reset();
      break;
    }
    if (count > 0) {
      contents.append(buffer, static_cast<size_t>(count));
    } else if (errno != EAGAIN && errno != EINTR) {
      break;
    }
  }
  if (contents.size() > kMaxPadScriptBytes) {
    error = path + ": the pad script is larger than " + std::to_string(kMaxPadScriptBytes >> 20) +
            " MiB";
  }
  ::close(fd);
  return error;
}

}  // namespace

std::optional<SimButton> SimButtonNamed(std::string_view name) {
  for (size_t i = 0; i < kSimButtonNames.size(); ++i) {
    if (EqualsIgnoringCase(name, kSimButtonNames[i])) {
      return static_cast<SimButton>(i);
    }
  }
  return std::nullopt;
}

PadScript::PadScript(std::vector<PadScriptLine> lines) : lines_(std::move(lines)) {
  for (size_t i = 0; i < lines_.size(); ++i) {
    const int32_t pad = lines_[i].pad;
    if (pad >= kFirstScriptPad && pad <= kLastScriptPad) {
      padLines_[static_cast<size_t>(pad)].push_back(static_cast<uint32_t>(i));
    }
  }
}

PadInput PadScript::StateAt(int32_t pad, int32_t tick) const {
  if (pad < kFirstScriptPad || pad > kLastScriptPad) {
    return {};
  }
  const std::vector<uint32_t>& own = padLines_[static_cast<size_t>(pad)];
  // The first of the pad's lines that starts after `tick`; the one before it holds.
  const auto after = std::upper_bound(own.begin(), own.end(), tick,
                                      [this](int32_t t, uint32_t i) { return t < lines_[i].tick; });
  return after == own.begin() ? PadInput{} : lines_[*(after - 1)].input;
}

ParsedPadScript ParsePadScript(std::string_view text, std::string_view fileName) {
  std::vector<PadScriptLine> lines;
  int32_t lineNumber = 0;
  auto refuse = [&](const std::string& reason) {
    return ParsedPadScript{
        std::nullopt, std::string(fileName) + ":" + std::to_string(lineNumber) + ": " + reason};
  };
  while (!text.empty()) {
    ++lineNumber;
    const size_t end = std::min(text.find('\n'), text.size());
    const std::vector<std::string_view> words = Words(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    if (words.empty() || words[0].front() == kCommentMark) {
      continue;
    }

    PadScriptLine line;
    if (!ReadWhole(words[0], line.tick) || line.tick < 0) {
      return refuse(Quote(words[0]) + " is not a tick number (0 or more)");
    }
    if (!lines.empty() && line.tick < lines.back().tick) {
      return refuse("tick " + std::to_string(line.tick) + " comes after tick " +
                    std::to_string(lines.back().tick) + "; lines must come in order of tick");
    }
    if (words.size() < 2) {
      return refuse("a line is TICK PAD BUTTON..., but the pad is missing");
    }
    if (!ReadWhole(words[1], line.pad) || line.pad < kFirstScriptPad || line.pad > kLastScriptPad) {
      return refuse(Quote(words[1]) + " is not a pad number (1 to 9)");
    }
    if (std::optional<std::string> reason = ReadInput(words, line.input)) {
      return refuse(*reason);
    }
    lines.push_back(line);
  }
  return {PadScript(std::move(lines)), {}};
}

ParsedPadScript LoadPadScript(const std::string& path) {
  std::string contents;
  if (std::optional<std::string> error = ReadWholeFile(path, contents)) {
    return {std::nullopt, *error};
  }
  return ParsePadScript(contents, path);
}

}  // namespace zarvel
