#pragma once

#include <string>

#include "base/bad_thing.h"

namespace zarvel::testing {

// Runs `action` and gives the message of the BadThing it ends with, or "" when it ends well.
template <typename Action>
std::string BadThingMessage(Action&& action) {
  try {
    action();
  } catch (const BadThing& error) {
    return error.what();
  }
  return "";
}

}  // namespace zarvel::testing
