#include "app/hardware_settings.h"

#include <wx/config.h>

#include "app/editor_texts.h"

namespace zarvel {
namespace {

using ChoiceReader = std::optional<std::string> (*)(std::string_view, HardwareChoice&);

// Reads one part into the choice. Words that are not an option's leave the choice as it was
// (the reader refuses them without a change), so a settings file edited by hand cannot keep
// the editor from starting.
void ReadPart(const std::optional<std::string>& text, ChoiceReader read, HardwareChoice& choice) {
  if (text) {
    read(*text, choice);
  }
}

std::optional<std::string> Setting(wxConfigBase& config, const char* key) {
  wxString text;
  if (!config.Read(key, &text)) {
    return std::nullopt;
  }
  return text.utf8_string();
}

void Keep(wxConfigBase& config, const char* key, const std::string& text) {
  config.Write(key, wxString::FromUTF8(text));
  // Kept on disk at once, so a choice outlives an editor that does not end normally.
  config.Flush();
}

}  // namespace

HardwareChoice StartingHardwareChoice(wxConfigBase& config, const HardwareOptions& options) {
  HardwareChoice choice;
  ReadPart(Setting(config, kParportSetting), ReadParportChoice, choice);
  ReadPart(Setting(config, kKeyboardSetting), ReadKeyboardChoice, choice);
  ReadPart(options.parport, ReadParportChoice, choice);
  ReadPart(options.keyboard, ReadKeyboardChoice, choice);
  return choice;
}

void KeepParportChoice(wxConfigBase& config, const HardwareChoice& choice) {
  Keep(config, kParportSetting, ParportChoiceText(choice));
}

void KeepKeyboardChoice(wxConfigBase& config, const HardwareChoice& choice) {
  Keep(config, kKeyboardSetting, KeyboardChoiceText(choice));
}

}  // namespace zarvel
