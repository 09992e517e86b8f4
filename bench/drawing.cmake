# Benchmarks of the pixel kernels against plain memory copies of the same rows (host build;
# measure in a Release build without sanitizers: -DVLMR_SANITIZE=OFF).
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(drawing_bench ${CMAKE_CURRENT_LIST_DIR}/drawing_bench.cpp)
  target_link_libraries(drawing_bench PRIVATE vlmr_pixels vlmr_library_order benchmark::benchmark)
  vlmr_strict(drawing_bench)
endif()
