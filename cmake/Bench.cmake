# The benchmarks. Built only when qel is the top-level project (QEL_BUILD_BENCH).
find_package(benchmark REQUIRED)
file(GLOB QEL_BENCH_SOURCES CONFIGURE_DEPENDS bench/*.cpp)
add_executable(qel-bench ${QEL_BENCH_SOURCES})
target_link_libraries(qel-bench PRIVATE qel benchmark::benchmark benchmark::benchmark_main)
# The filter bench calls PCRE2 directly for its baseline.
target_link_libraries(qel-bench PRIVATE PkgConfig::PCRE2)
# A short smoke run keeps the benchmarks compiling and running; real figures
# come from running qel-bench by hand on a Release build.
add_test(NAME bench-smoke COMMAND qel-bench --benchmark_min_time=0.001)
