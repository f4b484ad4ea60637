#pragma once

#include <cstdarg>
#include <string>

namespace zarvel {

// printf-style formatting into a string of whatever length the text needs.
std::string FormatTextV(const char* format, va_list arguments);
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace zarvel
