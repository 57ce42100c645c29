# CMake generated Testfile for 
# Source directory: /work/wt/text
# Build directory: /work/wt/text/build-asan
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
include("/work/wt/text/build-asan/qel-tests[1]_include.cmake")
add_test([=[bench-smoke]=] "/work/wt/text/build-asan/qel-bench" "--benchmark_min_time=0.001")
set_tests_properties([=[bench-smoke]=] PROPERTIES  _BACKTRACE_TRIPLES "/work/wt/text/CMakeLists.txt;67;add_test;/work/wt/text/CMakeLists.txt;0;")
