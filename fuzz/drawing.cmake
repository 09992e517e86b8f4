# libFuzzer target for the rectangle clipping of the pixel kernels (clang, -DVLMR_FUZZ=ON).
add_executable(rect_fuzz ${CMAKE_CURRENT_LIST_DIR}/rect_fuzz.cpp)
target_link_libraries(rect_fuzz PRIVATE vlmr_pixels vlmr_library_order)
target_link_options(rect_fuzz PRIVATE -fsanitize=fuzzer)
vlmr_strict(rect_fuzz)
