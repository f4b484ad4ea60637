#include "check/button_assignment.h"

#include <algorithm>
#include <vector>

#include "base/format_text.h"
#include "config/settings_text.h"

namespace zarvel {
namespace {

// The assignment's own messages, all in one place.
constexpr const char* kSectionMissing = "The section %s is not in this document.";
constexpr const char* kNoShiftState = "There is no shift state %d: shift states count from 0.";
constexpr const char* kNotAKeyName =
    "\"%s\" cannot be written as a key name: it is empty or holds a blank, comma or semicolon.";
constexpr const char* kNotAButtonName =
    "\"%s\" cannot be written as a button name: it is empty or holds a blank or \"=\".";

// What a button's value separates its shift states with, and its tokens within a state.
constexpr char kStateSeparator = ';';
constexpr std::string_view kNameBreakers = " \t\r\n,;=";
// White space as a value's trailing run is trimmed of; a value's leading run is spaces only.
constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";
constexpr std::string_view kRemarkMarks = ";#";

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(kWhiteSpace) == std::string_view::npos;
}

// A remark line: its first character that is not a blank is ";" or "#".
bool IsRemark(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  return first != std::string_view::npos && kRemarkMarks.find(text[first]) != std::string::npos;
}

// The end of the text without its trailing white space.
size_t ContentEnd(std::string_view text) {
  const size_t last = text.find_last_not_of(kWhiteSpace);
  return last == std::string_view::npos ? 0 : last + 1;
}

// The key an execution sends nothing for, which fills a shift state that does nothing: an empty
// place between two ";" is a key name the execution cannot find.
constexpr std::string_view kNothingKey = "none";

// How a value separates its states: as its first ";" does, and "; " when it has none.
std::string_view StateSeparatorOf(std::string_view value) {
  const size_t separator = value.find(kStateSeparator);
  if (separator != std::string_view::npos &&
      (separator + 1 == value.size() || value[separator + 1] != ' ')) {
    return ";";
  }
  return "; ";
}

// The text that fills the shift states from `state` (whose place is empty when `fillFirst`) up
// to `shiftState`, the key's: "none" in each state before the key's, the key in its own.
std::string FilledStates(int state, int shiftState, bool fillFirst, std::string_view separator,
                         std::string_view keyName) {
  std::string text;
  for (int filled = state; filled < shiftState; ++filled) {
    if (filled > state || fillFirst) {
      text.append(kNothingKey);
    }
    text.append(separator);
  }
  return text.append(keyName);
}

// The edit that puts `keyName` in the shift state's place of an item line's value. The value is
// the text after the first "=" behind the key, as the lookup takes it. The spaces that begin a
// state's place stay (the value's reader skips them); for the last state so do the blanks that
// end the line. Blanks before a ";" are replaced with the rest of the place, since the reader
// would take them for part of the key name.
TextEdit ReplaceStateInItem(const SettingsText& model, size_t piece, int shiftState,
                            std::string_view keyName) {
  const std::string_view pieceText = model.Piece(piece);
  const size_t equals = pieceText.find('=', model.Key(piece).size());
  const std::string_view value = pieceText.substr(equals + 1);
  const size_t valueStart = model.Offset(piece) + equals + 1;

  size_t placeStart = 0;
  int state = 0;
  for (; state < shiftState; ++state) {
    const size_t separator = value.find(kStateSeparator, placeStart);
    if (separator == std::string_view::npos) {
      break;
    }
    placeStart = separator + 1;
  }

  TextEdit edit;
  size_t start = 0;
  if (state == shiftState) {
    const size_t separator = value.find(kStateSeparator, placeStart);
    const size_t placeEnd = separator == std::string_view::npos ? value.size() : separator;
    start = std::min(value.find_first_not_of(' ', placeStart), placeEnd);
    const size_t end =
        separator == std::string_view::npos ? std::max(start, ContentEnd(value)) : separator;
    edit = {valueStart + start, end - start, std::string(keyName)};
  } else {
    // The value ends before the state's place: the states up to it are added after the last
    // one it has, which is filled too when it is empty.
    const bool lastPlaceEmpty = IsBlank(value.substr(placeStart));
    start = std::max(ContentEnd(value),
                     std::min(value.find_first_not_of(' ', placeStart), value.size()));
    edit = {valueStart + start, 0,
            FilledStates(state, shiftState, lastPlaceEmpty, StateSeparatorOf(value), keyName)};
  }
  // An empty value written "button =" gets the space that its "=" has in front.
  if (start == 0 && IsBlank(value) && equals > 0 && pieceText[equals - 1] == ' ') {
    std::string spaced(1, ' ');
    spaced.append(edit.replacement);
    edit.replacement = std::move(spaced);
  }
  return edit;
}

// The pieces of one line of the file, first to last.
struct LineSpan {
  size_t first = 0;
  size_t last = 0;
};

// The lines of the pieces [begin, end), which hold whole lines.
std::vector<LineSpan> LinesOf(const SettingsText& model, size_t begin, size_t end) {
  std::vector<LineSpan> lines;
  for (size_t i = begin; i < end; ++i) {
    if (!lines.empty() && !model.StartsLine(i)) {
      lines.back().last = i;
    } else {
      lines.push_back({i, i});
    }
  }
  return lines;
}

bool LineIsBlank(const SettingsText& model, const LineSpan& line) {
  for (size_t i = line.first; i <= line.last; ++i) {
    if (!IsBlank(model.Piece(i))) {
      return false;
    }
  }
  return true;
}

// The line of the section (lines[0] is its header) that a new item follows: the last one that
// is not blank, unless the section ends with remarks that a blank line sets apart from what is
// above them and another section follows. Such remarks head the next section.
size_t LineBeforeNewItem(const SettingsText& model, const std::vector<LineSpan>& lines,
                         bool sectionFollows) {
  const auto blank = [&](size_t i) { return LineIsBlank(model, lines[i]); };
  const auto remark = [&](size_t i) { return IsRemark(model.Piece(lines[i].first)); };
  size_t last = lines.size() - 1;
  while (last > 0 && blank(last)) {
    --last;
  }
  if (!sectionFollows || last == 0 || !remark(last)) {
    return last;
  }
  size_t blockStart = last;
  while (blockStart > 1 && remark(blockStart - 1)) {
    --blockStart;
  }
  if (blockStart < 2 || !blank(blockStart - 1)) {
    return last;
  }
  size_t before = blockStart - 1;
  while (before > 0 && blank(before)) {
    --before;
  }
  return before;
}

// The line end of the text: that of its first line, LF when it has none.
std::string_view LineEndOf(std::string_view text) {
  const size_t newline = text.find('\n');
  if (newline != std::string_view::npos && newline > 0 && text[newline - 1] == '\r') {
    return "\r\n";
  }
  return "\n";
}

// The edit that adds the button's item to the section whose header piece is `header` and whose
// pieces end before `end`.
TextEdit AddItem(std::string_view text, const SettingsText& model, size_t header, size_t end,
                 std::string_view button, int shiftState, std::string_view keyName) {
  const std::vector<LineSpan> lines = LinesOf(model, header, end);
  const LineSpan& line = lines[LineBeforeNewItem(model, lines, end < model.PieceCount())];
  const size_t contentEnd = model.Offset(line.last) + model.Piece(line.last).size();
  const size_t lineEnd =
      line.last + 1 < model.PieceCount() ? model.Offset(line.last + 1) : text.size();
  // The line end of the line the item follows, when it has one, is the one the item takes.
  const std::string_view ending =
      lineEnd > contentEnd ? text.substr(contentEnd, lineEnd - contentEnd) : LineEndOf(text);

  TextEdit edit{lineEnd, 0, {}};
  if (lineEnd == contentEnd) {
    // The text's last line has no line end: it gets one, so that the item is a line of its own.
    edit.replacement.append(ending);
  }
  edit.replacement.append(button).append(" = ");
  edit.replacement.append(FilledStates(0, shiftState, true, StateSeparatorOf({}), keyName));
  edit.replacement.append(ending);
  return edit;
}

}  // namespace

ButtonAssignment AssignButtonKey(std::string_view text, std::string_view header,
                                 std::string_view button, int shiftState,
                                 std::string_view keyName) {
  if (shiftState < 0) {
    return {std::nullopt, FormatText(kNoShiftState, shiftState)};
  }
  if (keyName.empty() || keyName.find_first_of(kNameBreakers) != std::string_view::npos) {
    return {std::nullopt, FormatText(kNotAKeyName, std::string(keyName).c_str())};
  }
  if (button.empty() || button.find_first_of(kNameBreakers) != std::string_view::npos) {
    return {std::nullopt, FormatText(kNotAButtonName, std::string(button).c_str())};
  }
  const SettingsText model({}, std::string(text));
  const std::optional<size_t> section = model.FindSection(header);
  if (!section) {
    return {std::nullopt, FormatText(kSectionMissing, std::string(header).c_str())};
  }
  const size_t first = *section;
  size_t end = first + 1;
  while (end < model.PieceCount() && !model.IsHeader(end)) {
    ++end;
  }
  // The first line of the item is the one the lookup takes; a later one is never read.
  const std::optional<size_t> item = model.FindItemAfter(first, button);
  if (item && *item < end) {
    return {ReplaceStateInItem(model, *item, shiftState, keyName), {}};
  }
  return {AddItem(text, model, first, end, button, shiftState, keyName), {}};
}

std::string ApplyTextEdit(std::string_view text, const TextEdit& edit) {
  std::string result(text.substr(0, edit.start));
  result.append(edit.replacement);
  result.append(text.substr(std::min(edit.start + edit.length, text.size())));
  return result;
}

}  // namespace zarvel
