#pragma once

#include <string>
#include <string_view>

namespace zarvel {

// A copy of some bytes in a file of its own in the system's temporary directory, for as long as
// the object lives; the file goes with it.
class TempCopy {
 public:
  explicit TempCopy(std::string_view bytes);
  ~TempCopy();
  TempCopy(const TempCopy&) = delete;
  TempCopy& operator=(const TempCopy&) = delete;

  // The file's path; empty when the copy could not be made, and Error says why.
  const std::string& Path() const { return path_; }
  const std::string& Error() const { return error_; }

 private:
  std::string path_;
  std::string error_;
};

}  // namespace zarvel
