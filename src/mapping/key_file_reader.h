#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace zarvel {

// The key definition file as it is being read: the open file, the line the reading has
// reached and the record being read, so that a refusal can say where in the file it is.
// Characters are read one at a time, the way the formatted input conversions read them.
class KeyFileReader {
 public:
  KeyFileReader(std::FILE* file, std::string name) : file_(file), name_(std::move(name)) {}

  // The file's name, for the places of its stops.
  const std::string& Name() const { return name_; }

  // Where the lines of values beyond a byte are told, for a reader that reports them.
  void TellWideValuesTo(std::vector<int32_t>* lines) { wideValueLines_ = lines; }
  void NoteWideValue(int32_t line) {
    if (wideValueLines_ != nullptr) {
      wideValueLines_->push_back(line);
    }
  }

  // The next character, or EOF once the file has ended.
  int Get();
  // Gives back the character last read, so that the next Get reads it again.
  void Unget(int c);
  // The next character, left to be read.
  int Peek();
  // Skips blanks, tabs and line breaks.
  void SkipWhiteSpace();
  // The following run of characters other than white space, at most `limit` of them; the
  // characters after those are left to be read.
  std::string ReadWord(size_t limit);
  // Whether the end of the file has been met, as the stream's end-of-file indicator says.
  bool AtEnd() const { return std::feof(file_) != 0; }

  int32_t Line() const { return line_; }
  // The record being read, counting from 1 as a person would.
  int32_t Record() const { return record_; }
  void StartRecord() { ++record_; }

 private:
  std::FILE* file_;
  std::string name_;
  std::vector<int32_t>* wideValueLines_ = nullptr;
  int32_t line_ = 1;
  int32_t record_ = 0;
};

// White space as the formatted input conversions skip it.
bool IsKeyFileSpace(int c);

}  // namespace zarvel
