# The test suites, the resource artwork they check, and the end-to-end runs.
# Built only when qel is the top-level project (QEL_BUILD_TESTS).

# --- the artwork behind the resources: one file per picture family ---
# An object library, so that every family's registration is linked in.
file(GLOB QEL_ART_SOURCES CONFIGURE_DEPENDS resources/art/*.cpp)
list(FILTER QEL_ART_SOURCES EXCLUDE REGEX "/main\\.cpp$")
add_library(qel-art OBJECT ${QEL_ART_SOURCES})
target_link_libraries(qel-art PUBLIC qel)
add_executable(qel-resource-painter resources/art/main.cpp)
target_link_libraries(qel-resource-painter PRIVATE qel-art qel)
# Redraws resources/*.png: cmake --build <dir> --target qel-draw-resources
add_custom_target(qel-draw-resources
  COMMAND qel-resource-painter ${PROJECT_SOURCE_DIR}/resources
  COMMENT "Drawing the resource pictures into resources/"
  VERBATIM)

# --- tests ---
find_package(GTest REQUIRED)
include(GoogleTest)
file(GLOB_RECURSE QEL_TEST_SOURCES CONFIGURE_DEPENDS tests/*.cpp)
# The SDL host's tests and the end-to-end helpers need SDL or X11: not here;
# the consumer is an outside project of its own.
list(FILTER QEL_TEST_SOURCES EXCLUDE REGEX "/tests/(e2e|consumer|monkey|soak|platform/hosts/sdl)/")
add_executable(qel-tests ${QEL_TEST_SOURCES})
target_link_libraries(qel-tests PRIVATE qel qel-art GTest::gtest GTest::gtest_main)
target_compile_definitions(qel-tests PRIVATE QEL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
gtest_discover_tests(qel-tests DISCOVERY_TIMEOUT 60)

# The monkey: a seeded random user on every gallery page (see its main file).
file(GLOB QEL_MONKEY_SOURCES CONFIGURE_DEPENDS tests/monkey/*.cpp examples/gallery/pages/*.cpp)
add_executable(qel-monkey ${QEL_MONKEY_SOURCES} examples/gallery/MainForm.cpp examples/gallery/Sheet.cpp)
target_link_libraries(qel-monkey PRIVATE qel)
add_test(NAME monkey-gallery COMMAND qel-monkey)
set_tests_properties(monkey-gallery PROPERTIES TIMEOUT 900)

# The soak: the gallery's timer-driven pages for ten virtual minutes each,
# failing when memory grows after the first minute (see its main file).
file(GLOB QEL_SOAK_SOURCES CONFIGURE_DEPENDS tests/soak/*.cpp examples/gallery/pages/*.cpp)
add_executable(qel-soak ${QEL_SOAK_SOURCES} examples/gallery/MainForm.cpp examples/gallery/Sheet.cpp)
target_link_libraries(qel-soak PRIVATE qel)
add_test(NAME soak-gallery COMMAND qel-soak)
# Seconds in a release build; about a minute of CPU under AddressSanitizer.
set_tests_properties(soak-gallery PROPERTIES TIMEOUT 600)

if(SDL2_FOUND)
  file(GLOB QEL_SDL_TEST_SOURCES CONFIGURE_DEPENDS tests/platform/hosts/sdl/*.cpp)
  add_executable(qel-sdl-tests ${QEL_SDL_TEST_SOURCES})
  target_link_libraries(qel-sdl-tests PRIVATE qel_sdl GTest::gtest GTest::gtest_main)
  gtest_discover_tests(qel-sdl-tests DISCOVERY_TIMEOUT 60)

  # The gallery in a real X server, driven by real X events.
  find_program(XVFB_RUN xvfb-run)
  find_program(XDOTOOL xdotool)
  pkg_check_modules(X11 IMPORTED_TARGET x11)
  if(XVFB_RUN AND XDOTOOL AND X11_FOUND AND TARGET qel-gallery)
    add_executable(qel-e2e-x11 tests/e2e/x11_tool.cpp)
    target_link_libraries(qel-e2e-x11 PRIVATE PkgConfig::X11)
    add_test(NAME e2e-gallery-sdl
             COMMAND ${PROJECT_SOURCE_DIR}/tests/e2e/gallery_e2e.sh $<TARGET_FILE:qel-gallery>
                     $<TARGET_FILE:qel-e2e-x11> ${PROJECT_BINARY_DIR}/e2e)
    set_tests_properties(e2e-gallery-sdl PROPERTIES TIMEOUT 90)
    add_test(NAME e2e-popups-sdl
             COMMAND ${PROJECT_SOURCE_DIR}/tests/e2e/popups_e2e.sh $<TARGET_FILE:qel-gallery>
                     $<TARGET_FILE:qel-e2e-x11> ${PROJECT_BINARY_DIR}/e2e)
    set_tests_properties(e2e-popups-sdl PROPERTIES TIMEOUT 90)
  endif()
endif()

# --- the installed package, used by an outside project ---
if(QEL_INSTALL)
  # Sanitized builds: the consumers link the sanitizer runtimes too.
  set(QEL_CONSUMER_FLAGS "")
  if(QEL_SANITIZE)
    set(QEL_CONSUMER_FLAGS "-fsanitize=address,undefined")
  endif()
  add_test(NAME package-consumer
           COMMAND ${PROJECT_SOURCE_DIR}/tests/consumer/consumer_test.sh ${PROJECT_BINARY_DIR}
                   ${CMAKE_CXX_COMPILER} "${QEL_CONSUMER_FLAGS}")
  set_tests_properties(package-consumer PROPERTIES TIMEOUT 240)
  add_test(NAME package-shared
           COMMAND ${PROJECT_SOURCE_DIR}/tests/consumer/shared_test.sh ${PROJECT_SOURCE_DIR}
                   ${PROJECT_BINARY_DIR}/shared ${CMAKE_BUILD_TYPE} ${QEL_SANITIZE} ${CMAKE_CXX_COMPILER}
                   "${QEL_CONSUMER_FLAGS}")
  # A second build of the library (from the compiler cache when it is warm).
  set_tests_properties(package-shared PROPERTIES TIMEOUT 1500)
  find_program(DPKG_DEB dpkg-deb)
  if(DPKG_DEB)
    add_test(NAME package-deb
             COMMAND ${PROJECT_SOURCE_DIR}/tests/consumer/consumer_test.sh ${PROJECT_BINARY_DIR}
                     ${CMAKE_CXX_COMPILER} "${QEL_CONSUMER_FLAGS}" --deb)
    set_tests_properties(package-deb PROPERTIES TIMEOUT 300)
  endif()
endif()

# --- the minimal example: typed into headlessly, the meter follows ---
if(TARGET qel-minimal)
  file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/examples)
  add_test(NAME example-minimal COMMAND qel-minimal --screenshot ${PROJECT_BINARY_DIR}/examples)
  set_tests_properties(example-minimal PROPERTIES PASS_REGULAR_EXPRESSION "^meter at 42, limit lamps off\n")
endif()

# --- the examples of each subsystem: driven headlessly, each prints one line ---
function(qel_example_test name expected)
  if(TARGET qel-${name})
    add_test(NAME example-${name} COMMAND qel-${name} --screenshot ${PROJECT_BINARY_DIR}/examples)
    set_tests_properties(example-${name} PROPERTIES PASS_REGULAR_EXPRESSION "${expected}" TIMEOUT 30)
  endif()
endfunction()
qel_example_test(reportlist "^2 of 6 rows shown\n")
qel_example_test(tableeditor "^copied: 1\\.50\\|3\\.00\n")
qel_example_test(dashboard "^value 50, bar 50, display 50\n")
qel_example_test(labels "^text scrolled to x -?[0-9]+\n")
qel_example_test(calendar "^2024-05-22, colour clMaroon\n")
qel_example_test(browser "^pictures: 3 pictures\n")
qel_example_test(panel "^power on, set point 22, read-out 22\n")
qel_example_test(markers "^highlighted 13, selected 13, caption \"Marker 13 picked\"\n")

# --- the command line of every example and tool program ---
# --help: usage on stdout, exit 0; an unknown option, --screenshot without a
# folder or an operand too many: usage on stderr, exit 2. None writes a file.
function(qel_program_args_test target name code stream)
  string(REPLACE ";" "|" args "${ARGN}")  # one -D value; the script splits it again
  add_test(NAME args-${target}-${name}
           COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> "-DARGS=${args}" -DEXPECT_CODE=${code}
                   -DSTREAM=${stream} -DWORK=${PROJECT_BINARY_DIR}/args/${target}-${name}
                   -P ${PROJECT_SOURCE_DIR}/cmake/CheckProgramArgs.cmake)
  set_tests_properties(args-${target}-${name} PROPERTIES TIMEOUT 30)
endfunction()
foreach(program qel-minimal qel-reportlist qel-tableeditor qel-dashboard qel-labels qel-calendar qel-browser
                qel-panel qel-markers
                qel-sheet qel-gallery qel-resource-painter)
  if(TARGET ${program})
    qel_program_args_test(${program} help 0 stdout --help)
    qel_program_args_test(${program} unknown-option 2 stderr --no-such-option)
    qel_program_args_test(${program} screenshot-without-folder 2 stderr --screenshot)
    qel_program_args_test(${program} operand-too-many 2 stderr one two)
  endif()
endforeach()

# --- the gallery's sample pictures: a folder of its own, gone at exit ---
if(TARGET qel-gallery)
  add_test(NAME gallery-temporary-folder
           COMMAND ${CMAKE_COMMAND} -DGALLERY=$<TARGET_FILE:qel-gallery> -DWORK=${PROJECT_BINARY_DIR}/gallery-temp
                   -P ${PROJECT_SOURCE_DIR}/cmake/CheckGalleryTempFolder.cmake)
  set_tests_properties(gallery-temporary-folder PROPERTIES TIMEOUT 180)
endif()
