#include "app/editor_host.h"

#include <future>
#include <memory>
#include <string_view>

#include <wx/app.h>

#include "app/editor_texts.h"
#include "app/latin1_text.h"
#include "app/user_prompts.h"
#include "platform/thread_services.h"

namespace zarvel {

EditorHost::EditorHost(UserPrompts& prompts, std::unique_ptr<ExecutionHardware> hardware,
                       Notice notice, BadThingSeen badThingSeen)
    : SessionHost(std::move(hardware)),
      prompts_(prompts),
      notice_(std::move(notice)),
      badThingSeen_(std::move(badThingSeen)) {}

void EditorHost::PadPresenceChanged(int32_t pad, const std::string& header, bool plugged) {
  if (notice_) {
    notice_(PadPresenceText(pad, header, plugged));
  }
}

void EditorHost::SleepMs(int32_t milliseconds) {
  SleepMilliseconds(milliseconds);
}

void EditorHost::SleepUntilTick(std::chrono::steady_clock::time_point nextTick,
                                std::chrono::nanoseconds /*period*/) {
  SleepUntil(nextTick);
}

void EditorHost::ShowBadThing(const BadThing& stop) {
  if (badThingSeen_) {
    badThingSeen_(stop.what(), stop.Place());
  }
  ShowAndWait(stop.what());
}

void EditorHost::EndProcess(const ProcessEndingStop& stop) {
  // A process-ending message starts with "Bad Thing: ", as the runner prints it; the box says
  // so in its caption already.
  const std::string message = stop.what();
  const std::string_view prefix = kBadThingPrefix;
  if (badThingSeen_) {
    badThingSeen_(message, stop.Place());
  }
  ShowAndWait(message.starts_with(prefix) ? message.substr(prefix.size()) : message);
}

void EditorHost::ShowAndWait(const std::string& message) {
  // The promise is shared with the box's callback, so it lives as long as either side needs
  // it. The prompts outlive every execution, so the GUI thread may use them by reference.
  auto dismissed = std::make_shared<std::promise<void>>();
  std::future<void> closed = dismissed->get_future();
  UserPrompts& prompts = prompts_;
  wxTheApp->CallAfter([&prompts, text = TextFromBytes(message), dismissed] {
    prompts.ShowOwnerlessMessage(text, kBadThingCaption, [dismissed] { dismissed->set_value(); });
  });
  closed.wait();
}

}  // namespace zarvel
