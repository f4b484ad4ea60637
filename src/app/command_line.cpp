#include "app/command_line.h"

#include <string_view>

#include <wx/cmdline.h>
#include <wx/msgout.h>

namespace zarvel {

namespace {

constexpr char kFileParameter[] = "FILE";
constexpr char kParportOption[] = "parport";
constexpr char kKeyboardOption[] = "keyboard";
constexpr char kParportHelp[] =
    "where the pads are read: sim, ppdev, ppdev:DEVICE or direct (default: the Hardware "
    "menu's choice, at first sim)";
constexpr char kKeyboardHelp[] =
    "where the keys go: sim, uinput or direct (default: the Hardware menu's choice, at first "
    "sim)";
constexpr char kFileHelp[] = "the configuration to open";
constexpr char kUsageText[] =
    "\nZarvel's editor: write a configuration and execute it, on the simulated PC or on real\n"
    "pads. The options choose the hardware for this run only.\n"
    "Exit status: 0 after a normal end or --help, 2 for a command line it cannot take.";
// A command line the editor cannot take ends the program with this status, as the runner's.
constexpr int kUsageStatus = 2;

using ChoiceReader = std::optional<std::string> (*)(std::string_view, HardwareChoice&);

std::optional<std::string> ReadOne(const wxCmdLineParser& parser, const char* name,
                                   ChoiceReader read, std::optional<std::string>& option) {
  wxString value;
  if (!parser.Found(name, &value)) {
    return std::nullopt;
  }
  HardwareChoice checked;
  if (std::optional<std::string> error = read(value.utf8_string(), checked)) {
    return error;
  }
  option = value.utf8_string();
  return std::nullopt;
}

// Keeps what the parser would print (its error messages) instead of printing it, for the
// length of one parse.
class KeptOutput : public wxMessageOutput {
 public:
  KeptOutput() : previous_(wxMessageOutput::Set(this)) {}
  ~KeptOutput() override { wxMessageOutput::Set(previous_); }
  KeptOutput(const KeptOutput&) = delete;
  KeptOutput& operator=(const KeptOutput&) = delete;

  void Output(const wxString& text) override { kept_ += text.utf8_string(); }
  const std::string& Kept() const { return kept_; }

 private:
  wxMessageOutput* previous_;
  std::string kept_;
};

}  // namespace

void DescribeCommandLine(wxCmdLineParser& parser) {
  parser.AddSwitch("h", "help", "print the options and exit", wxCMD_LINE_OPTION_HELP);
  parser.AddSwitch(wxString(), "verbose", "log more of what the editor does");
  parser.AddLongOption(kParportOption, kParportHelp, wxCMD_LINE_VAL_STRING);
  parser.AddLongOption(kKeyboardOption, kKeyboardHelp, wxCMD_LINE_VAL_STRING);
  parser.AddSwitch(wxString(), kNoRealtimeSwitch,
                   "do not ask for real-time priority for the ticks (asked for by default, "
                   "directly or from RealtimeKit)");
  parser.AddParam(kFileParameter, wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_OPTIONAL);
  parser.AddUsageText(kUsageText);
}

std::optional<std::string> ReadHardwareOptions(const wxCmdLineParser& parser,
                                               HardwareOptions& options) {
  if (std::optional<std::string> error =
          ReadOne(parser, kParportOption, ReadParportChoice, options.parport)) {
    return error;
  }
  return ReadOne(parser, kKeyboardOption, ReadKeyboardChoice, options.keyboard);
}

std::optional<CommandLineAnswer> AnswerWithoutWindow(int argc, char** argv) {
  wxCmdLineParser parser(argc, argv);
  DescribeCommandLine(parser);
  const std::string usage = parser.GetUsageString().utf8_string();
  int parsed = 0;
  std::string errors;
  {
    KeptOutput kept;
    parsed = parser.Parse(false);
    errors = kept.Kept();
  }
  if (parsed == -1) {
    return CommandLineAnswer{0, usage, std::string()};
  }
  if (parsed == 0) {
    HardwareOptions options;
    const std::optional<std::string> refused = ReadHardwareOptions(parser, options);
    if (!refused) {
      return std::nullopt;
    }
    errors = *refused + "\n";
  }
  return CommandLineAnswer{kUsageStatus, std::string(), "zarvel: " + errors + usage};
}

}  // namespace zarvel
