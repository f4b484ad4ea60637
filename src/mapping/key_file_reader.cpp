#include "mapping/key_file_reader.h"

namespace zarvel {

bool IsKeyFileSpace(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int KeyFileReader::Get() {
  const int c = std::fgetc(file_);
  if (c == '\n') {
    ++line_;
  }
  return c;
}

void KeyFileReader::Unget(int c) {
  if (c == EOF) {
    return;
  }
  if (c == '\n') {
    --line_;
  }
  std::ungetc(c, file_);
}

int KeyFileReader::Peek() {
  const int c = Get();
  Unget(c);
  return c;
}

void KeyFileReader::SkipWhiteSpace() {
  int c = Get();
  while (IsKeyFileSpace(c)) {
    c = Get();
  }
  Unget(c);
}

std::string KeyFileReader::ReadWord(size_t limit) {
  std::string word;
  int c = Get();
  while (c != EOF && !IsKeyFileSpace(c) && word.size() < limit) {
    word.push_back(static_cast<char>(c));
    c = Get();
  }
  Unget(c);
  return word;
}

}  // namespace zarvel
