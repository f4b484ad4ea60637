# Every module of src/ is a library of its own, and its headers can only be reached through
# the libraries that link it. The headers are not found under src/ (no target has src/ on its
# include path): each library gets a folder of its own in the build tree,
# include/<library>/<module>/, holding a link to each of its headers, and hands that folder on
# to whoever links it. A module that includes a header of a module it does not link (one above
# it, or one beside it that it has no business with) therefore fails to compile.
#
#   zarvel_module(<library> <folder under src/>
#                 [EXCLUDE <regex of sources to leave out>]
#                 [EXTRA_HEADERS <globs under src/>...] [SOURCES <more sources>...]
#                 [PUBLIC <libraries>...] [PRIVATE <libraries>...])
#
# A module links PUBLIC what its own headers include, and PRIVATE what only its sources use.
function(zarvel_module library folder)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "EXCLUDE" "EXTRA_HEADERS;SOURCES;PUBLIC;PRIVATE")
  set(sourceRoot ${CMAKE_SOURCE_DIR}/src)
  file(GLOB sources CONFIGURE_DEPENDS ${sourceRoot}/${folder}/*.cpp)
  if(arg_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${arg_EXCLUDE}")
  endif()

  set(patterns ${sourceRoot}/${folder}/*.h)
  foreach(pattern IN LISTS arg_EXTRA_HEADERS)
    list(APPEND patterns ${sourceRoot}/${pattern})
  endforeach()
  file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${sourceRoot} ${patterns})
  # Made afresh at every configuration, so a header that moved to another module is no longer
  # reachable through this one.
  set(includeRoot ${CMAKE_BINARY_DIR}/include/${library})
  file(REMOVE_RECURSE ${includeRoot})
  foreach(header IN LISTS headers)
    get_filename_component(headerFolder ${includeRoot}/${header} DIRECTORY)
    file(MAKE_DIRECTORY ${headerFolder})
    file(CREATE_LINK ${sourceRoot}/${header} ${includeRoot}/${header} SYMBOLIC)
  endforeach()

  add_library(${library} STATIC ${sources} ${arg_SOURCES})
  target_include_directories(${library} PUBLIC ${includeRoot})
  target_link_libraries(${library} PUBLIC ${arg_PUBLIC} PRIVATE ${arg_PRIVATE})
endfunction()
