# The editor (zarvel): a wxWidgets program over the core. The core itself never sees wx. When
# wxWidgets 3.2 is not installed, everything else still builds and the editor is left out.
# Fuzzing builds only the readers of outside text, and the static build only what the test
# guest runs; the editor has no place in either (the desktop libraries are not linked
# statically).
if(ZARVEL_BUILD_FUZZERS OR ZARVEL_STATIC)
  return()
endif()
find_package(wxWidgets 3.2 COMPONENTS stc core base QUIET)
if(NOT wxWidgets_FOUND)
  message(STATUS "wxWidgets 3.2 not found: the editor (zarvel) is not built")
  return()
endif()

# The wx headers are the framework's, not ours: their warnings are not reported.
function(zarvel_use_wx target)
  target_include_directories(${target} SYSTEM PUBLIC ${wxWidgets_INCLUDE_DIRS})
  target_compile_definitions(${target} PUBLIC ${wxWidgets_DEFINITIONS})
  target_compile_options(${target} PUBLIC ${wxWidgets_CXX_FLAGS})
  target_link_libraries(${target} PUBLIC ${wxWidgets_LIBRARIES})
endfunction()

# The editor's drawings (SVG), carried inside the binary.
file(GLOB ZARVEL_PICTURES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/app/icons/*.svg)
set(ZARVEL_PICTURES_SOURCE ${CMAKE_BINARY_DIR}/generated/editor_pictures.cpp)
string(REPLACE ";" "|" ZARVEL_PICTURE_LIST "${ZARVEL_PICTURES}")
add_custom_command(
  OUTPUT ${ZARVEL_PICTURES_SOURCE}
  COMMAND ${CMAKE_COMMAND} -DOUTPUT=${ZARVEL_PICTURES_SOURCE} "-DFILES=${ZARVEL_PICTURE_LIST}"
          -DHEADER=app/editor_pictures.h -DTYPE=EditorPicture -DFUNCTION=EditorPictures
          -DFROM=src/app/icons -P ${CMAKE_SOURCE_DIR}/cmake/EmbedFiles.cmake
  DEPENDS ${ZARVEL_PICTURES} ${CMAKE_SOURCE_DIR}/cmake/EmbedFiles.cmake
  COMMENT "Embedding the editor's drawings"
  VERBATIM)

zarvel_module(zarvel_app app EXCLUDE ".*/main\\.cpp$" SOURCES ${ZARVEL_PICTURES_SOURCE}
              PUBLIC zarvel_session zarvel_engine zarvel_platform zarvel_check)
zarvel_use_wx(zarvel_app)

add_executable(zarvel src/app/main.cpp)
target_link_libraries(zarvel PRIVATE zarvel_app)

# The icons for the desktop are drawn from the same drawings as the editor's own, at the sizes
# of kIconSizes (app/editor_art.h), and the full drawings are the scalable icons.
add_executable(zarvel-export-icons src/app/tools/export_icons.cpp)
target_link_libraries(zarvel-export-icons PRIVATE zarvel_app)
set(ZARVEL_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(ZARVEL_ICON_SIZES 16 32 48 128)
set(ZARVEL_ICONS ${ZARVEL_ICON_DIR}/zarvel.svg ${ZARVEL_ICON_DIR}/zarvel-document.svg)
foreach(size IN LISTS ZARVEL_ICON_SIZES)
  list(APPEND ZARVEL_ICONS ${ZARVEL_ICON_DIR}/zarvel-${size}.png
       ${ZARVEL_ICON_DIR}/zarvel-document-${size}.png)
endforeach()
add_custom_command(
  OUTPUT ${ZARVEL_ICONS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ZARVEL_ICON_DIR}
  COMMAND zarvel-export-icons ${ZARVEL_ICON_DIR}
  DEPENDS zarvel-export-icons
  COMMENT "Writing the desktop icons"
  VERBATIM)
add_custom_target(zarvel_icons ALL DEPENDS ${ZARVEL_ICONS})

# The manual of Help, made from the README. It lies where the editor looks for it beside
# itself: share/zarvel/ in the build tree, and ../share/zarvel/ from the installed program.
set(ZARVEL_MANUAL ${CMAKE_BINARY_DIR}/share/zarvel/manual.html)
add_custom_command(
  OUTPUT ${ZARVEL_MANUAL}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/share/zarvel
  COMMAND ${CMAKE_COMMAND} -DREADME=${CMAKE_SOURCE_DIR}/README.md -DOUTPUT=${ZARVEL_MANUAL}
          -P ${CMAKE_SOURCE_DIR}/cmake/ManualPage.cmake
  DEPENDS ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/cmake/ManualPage.cmake
  COMMENT "Writing the manual"
  VERBATIM)
add_custom_target(zarvel_manual ALL DEPENDS ${ZARVEL_MANUAL})

include(GNUInstallDirs)
install(TARGETS zarvel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${ZARVEL_MANUAL} DESTINATION ${CMAKE_INSTALL_DATADIR}/zarvel)
install(FILES data/desktop/zarvel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
set(ZARVEL_THEME_DIR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
foreach(size IN LISTS ZARVEL_ICON_SIZES)
  install(FILES ${ZARVEL_ICON_DIR}/zarvel-${size}.png
    DESTINATION ${ZARVEL_THEME_DIR}/${size}x${size}/apps RENAME zarvel.png)
  install(FILES ${ZARVEL_ICON_DIR}/zarvel-document-${size}.png
    DESTINATION ${ZARVEL_THEME_DIR}/${size}x${size}/mimetypes RENAME zarvel-document.png)
endforeach()
install(FILES ${ZARVEL_ICON_DIR}/zarvel.svg DESTINATION ${ZARVEL_THEME_DIR}/scalable/apps)
install(FILES ${ZARVEL_ICON_DIR}/zarvel-document.svg
  DESTINATION ${ZARVEL_THEME_DIR}/scalable/mimetypes)

if(ZARVEL_BUILD_TESTS)
  # The editor's tests open real windows, so each test process gets a virtual display of its
  # own (scripts/with-xvfb); ctest needs no display of its own.
  find_program(ZARVEL_XVFB Xvfb)
  if(NOT ZARVEL_XVFB)
    message(WARNING "Xvfb not found: the editor's tests are not built (run scripts/install-deps)")
    return()
  endif()
  file(GLOB ZARVEL_APP_TEST_SOURCES CONFIGURE_DEPENDS tests/app/*.cpp)
  add_executable(zarvel_app_tests ${ZARVEL_APP_TEST_SOURCES} tests/support/temp_dir.cpp
                 tests/support/fake_system_calls.cpp)
  target_include_directories(zarvel_app_tests PRIVATE tests)
  target_link_libraries(zarvel_app_tests PRIVATE zarvel_app GTest::gtest)
  target_compile_definitions(zarvel_app_tests PRIVATE ZARVEL_ICON_DIR="${ZARVEL_ICON_DIR}"
                             ZARVEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_dependencies(zarvel_app_tests zarvel_icons)
  set_target_properties(zarvel_app_tests PROPERTIES
    CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/with-xvfb)
  gtest_discover_tests(zarvel_app_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 60)
endif()
