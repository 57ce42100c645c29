# Every fuzz/<name>.cpp defines LLVMFuzzerTestOneInput. Under clang it becomes a
# libFuzzer binary <name>-fuzz; with every compiler it also becomes a replay
# program that runs the target on each file of fuzz/corpus/<name>/, registered
# as a test, so the corpus is exercised by the ordinary test run.
file(GLOB QEL_FUZZ_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/*.cpp)
list(FILTER QEL_FUZZ_SOURCES EXCLUDE REGEX ".*/replay_main\\.cpp$")
foreach(src ${QEL_FUZZ_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name}-replay ${src} ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
  target_link_libraries(${name}-replay PRIVATE qel)
  add_test(NAME fuzz-replay-${name}
           COMMAND ${name}-replay ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    add_executable(${name}-fuzz ${src})
    target_compile_options(${name}-fuzz PRIVATE -fsanitize=fuzzer)
    target_link_options(${name}-fuzz PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name}-fuzz PRIVATE qel)
  endif()
endforeach()
# QEL_FUZZ instruments the library itself, so that libFuzzer sees coverage
# inside the parsers and not only in the small target files.
option(QEL_FUZZ "Instrument the library for libFuzzer coverage (clang only)" OFF)
if(QEL_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  target_compile_options(qel PRIVATE -fsanitize=fuzzer-no-link)
endif()
