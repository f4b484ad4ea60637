#include "cli/check_command.h"

#include "check/configuration_check.h"
#include "cli/runner.h"
#include "platform/home_directory.h"

namespace zarvel {

int CheckConfigurationCommand(const RunnerOptions& options, std::ostream& out, std::ostream& err) {
  const std::vector<Problem> problems = CheckConfiguration(
      options.configPath, FindHomeDirectory(options.home),
      [&err](const std::string& text) { err << "zarvel-run: " << text << "\n"; });
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
