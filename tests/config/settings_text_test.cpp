#include "config/settings_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zarvel {
namespace {

// A piece as the model gives it: line, text, and the key of an item piece ("-" for none).
std::vector<std::string> Pieces(const std::string& text) {
  const SettingsText model("f.ini", text);
  std::vector<std::string> pieces;
  for (size_t i = 0; i < model.PieceCount(); ++i) {
    pieces.push_back(std::to_string(model.Line(i)) + (model.StartsLine(i) ? " " : "+") + "[" +
                     std::string(model.Piece(i)) + "] " +
                     (model.IsItem(i) ? std::string(model.Key(i)) + "=" + model.Value(i) : "-"));
  }
  return pieces;
}

TEST(SettingsText, CutsTheTextIntoThePiecesAnExecutionReads) {
  struct Case {
    std::string text;
    std::vector<std::string> pieces;
  };
  const std::string hundred(100, 'x');
  const Case cases[] = {
      {"[config]\r\nPort = 378\r\n", {"1 [[config]] -", "2 [Port = 378] Port=378"}},
      // A lone CR is a character of its line; a last line without a line end is read.
      {"a = b\rc\nTick", {"1 [a = b\rc] a=b\rc", "2 [Tick] -"}},
      // A line of exactly a hundred characters is followed by an empty piece; a longer one goes
      // on in a piece of its own, which may be an item.
      {hundred + "\nk=v\n", {"1 [" + hundred + "] -", "1+[] -", "2 [k=v] k=v"}},
      {hundred + "Port = 5\n", {"1 [" + hundred + "] -", "1+[Port = 5] Port=5"}},
      // Keys end at a blank or "="; a key without "=" after it is no item; a tab is part of it.
      {"Port\nPort\t= 1\n =x\n", {"1 [Port] -", "2 [Port\t= 1] Port\t=1", "3 [ =x] -"}},
      {std::string("a = x\0y\n", 8),
       {"1 [" + std::string("a = x\0y", 7) + "] a=" + std::string("x\0y", 3)}},
  };
  for (const Case& check : cases) {
    EXPECT_EQ(Pieces(check.text), check.pieces) << check.text;
  }
}

TEST(SettingsText, FindsSectionsAndItemsAsTheLookupsDo) {
  const SettingsText model("f.ini", "a = 0\n[SNES 1]\n[snes 2]\nb = 2\n a = 3\n[x]\na = 4\n");
  EXPECT_EQ(model.FindSection("[snes 1]"), 1u);
  EXPECT_EQ(model.FindSection("[snes]"), std::nullopt);
  // An item is searched past later headers, never before its own, and not indented.
  EXPECT_EQ(model.FindItem("[snes 1]", "A"), 6u);
  EXPECT_EQ(model.FindItem("[snes 1]", "b"), 3u);
  EXPECT_EQ(model.FindItem("[x]", "b"), std::nullopt);
}

}  // namespace
}  // namespace zarvel
