# Writes a C++ source that carries the given files inside the binary, so an installed program
# needs no source tree to read them. Run as a script:
#   cmake -DOUTPUT=file.cpp -DFILES="a|b" -DHEADER=module/header.h -DTYPE=Entry
#         -DFUNCTION=Entries -DFROM=folder -P EmbedFiles.cmake
# HEADER declares TYPE, a record of two string views (a file's name and its contents), and
# FUNCTION, which returns a span of them; FROM names the files' folder in the generated note.
string(REPLACE "|" ";" FILES "${FILES}")
set(body "// Generated from ${FROM} by cmake/EmbedFiles.cmake; edit those files instead.\n")
string(APPEND body "#include \"${HEADER}\"\n\nnamespace zarvel {\nnamespace {\n")
set(entries "")
set(index 0)
foreach(path IN LISTS FILES)
  get_filename_component(name "${path}" NAME)
  file(READ "${path}" hex HEX)
  string(LENGTH "${hex}" hexLength)
  math(EXPR size "${hexLength} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
  string(APPEND body "constexpr char kFile${index}[] = {${bytes} 0};\n")
  string(APPEND entries "    {\"${name}\", std::string_view(kFile${index}, ${size})},\n")
  math(EXPR index "${index} + 1")
endforeach()
string(APPEND body "constexpr ${TYPE} kFiles[] = {\n${entries}};\n\n}  // namespace\n\n")
string(APPEND body "std::span<const ${TYPE}> ${FUNCTION}() { return kFiles; }\n\n")
string(APPEND body "}  // namespace zarvel\n")
file(WRITE "${OUTPUT}.tmp" "${body}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
