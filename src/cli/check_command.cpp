#include "cli/check_command.h"

#include "check/configuration_check.h"
#include "cli/runner.h"
#include "platform/home_directory.h"

namespace zarvel {

int CheckConfigurationCommand(const RunnerOptions& options, std::ostream& out, std::ostream& err) {
  LinuxSystemCalls calls;
  return CheckConfigurationCommand(options, out, err, calls);
}

int CheckConfigurationCommand(const RunnerOptions& options, std::ostream& out, std::ostream& err,
                              SystemCalls& calls) {
  const std::string home = FindHomeDirectory(options.home);
  const auto notice = [&err](const std::string& text) { err << "zarvel-run: " << text << "\n"; };
  // The home is made here as the runner makes it, given to the user who ran sudo; the check
  // then finds it complete. One that cannot be made is the check's first problem.
  if (!home.empty()) {
    const SeedResult seeded = SeedHomeDirectory(calls, home);
    if (seeded.created) {
      notice(HomeCreatedNotice(home));
    }
    if (!seeded.added.empty()) {
      notice(HomeFilesAddedNotice(home, seeded.added));
    }
  }
  const std::vector<Problem> problems = CheckConfiguration(options.configPath, home, notice);
  for (const Problem& problem : problems) {
    out << problem.file;
    if (problem.line > 0) {
      out << ':' << problem.line;
    }
    out << ": " << problem.message << "\n";
  }
  return problems.empty() ? kExitNormal : kExitBadThing;
}

}  // namespace zarvel
