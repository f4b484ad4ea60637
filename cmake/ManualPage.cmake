# Writes the manual the editor's Help menu opens: the README's sections for users (everything
# before its performance figures and the part for developers), as a page any browser shows
# offline. The text stays as the README has it, in a block that keeps its lines and wraps long
# ones.
#   cmake -DREADME=README.md -DOUTPUT=manual.html -P ManualPage.cmake
file(READ ${README} text)
string(FIND "${text}" "\n## Performance" end)
if(end GREATER 0)
  string(SUBSTRING "${text}" 0 ${end} text)
endif()
string(REPLACE "&" "&amp;" text "${text}")
string(REPLACE "<" "&lt;" text "${text}")
string(REPLACE ">" "&gt;" text "${text}")
file(WRITE ${OUTPUT}
  "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
  "<title>Zarvel manual</title>\n"
  "<style>body { max-width: 52em; margin: 2em auto; padding: 0 1em; }\n"
  "pre { white-space: pre-wrap; font-size: 1.05em; }</style>\n"
  "</head>\n<body>\n<pre>\n${text}</pre>\n</body>\n</html>\n")
