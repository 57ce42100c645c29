# CMake generated Testfile for 
# Source directory: /work/wt/raster
# Build directory: /work/wt/raster/build-rel
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
include("/work/wt/raster/build-rel/qel-tests[1]_include.cmake")
add_test([=[bench-smoke]=] "/work/wt/raster/build-rel/qel-bench" "--benchmark_min_time=0.001")
set_tests_properties([=[bench-smoke]=] PROPERTIES  _BACKTRACE_TRIPLES "/work/wt/raster/CMakeLists.txt;67;add_test;/work/wt/raster/CMakeLists.txt;0;")
