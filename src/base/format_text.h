#pragma once

#include <cstdarg>
#include <string>

namespace zarvel {

// printf-style formatting into a string of whatever length the text needs.
std::string FormatTextV(const char* format, va_list arguments);

}  // namespace zarvel
