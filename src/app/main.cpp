#include <cstdio>
#include <optional>

#include <wx/init.h>

#include "app/command_line.h"
#include "app/zarvel_app.h"

wxIMPLEMENT_APP_NO_MAIN(zarvel::ZarvelApp);

// The editor's entry point. --help and a wrong command line are answered before the desktop
// is reached, so that they work without a display; otherwise the framework builds the
// application and runs its message loop.
int main(int argc, char** argv) {
  if (const std::optional<zarvel::CommandLineAnswer> answer =
          zarvel::AnswerWithoutWindow(argc, argv)) {
    std::fputs(answer->out.c_str(), stdout);
    std::fputs(answer->err.c_str(), stderr);
    return answer->status;
  }
  return wxEntry(argc, argv);
}
