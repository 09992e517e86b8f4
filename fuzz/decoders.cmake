# libFuzzer targets for the PNG and BMP decoders (clang, -DVLMR_FUZZ=ON); scripts/fuzz seeds
# and runs them.
foreach(kind png bmp)
  add_executable(${kind}_fuzz ${CMAKE_CURRENT_LIST_DIR}/${kind}_fuzz.cpp)
  target_link_libraries(${kind}_fuzz PRIVATE vlmr_library_order vlmr_decoders_core)
  target_link_options(${kind}_fuzz PRIVATE -fsanitize=fuzzer)
  vlmr_strict(${kind}_fuzz)
endforeach()
