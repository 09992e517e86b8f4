# PNG decode benchmark: our decoder against libpng's simplified reader on gfx/vlmr.png.
# Meaningful numbers want a build without the sanitizers (-DVLMR_SANITIZE=OFF, Release).
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(decode_bench ${CMAKE_CURRENT_LIST_DIR}/decode_bench.cpp)
  target_link_libraries(decode_bench PRIVATE vlmr_library_order vlmr_decoders_core benchmark::benchmark)
  target_compile_definitions(decode_bench PRIVATE VLMR_SHEET="${CMAKE_SOURCE_DIR}/gfx/vlmr.png")
  vlmr_strict(decode_bench)
endif()
