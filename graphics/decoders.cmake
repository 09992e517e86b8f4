# Picture decoders: the registry with the BMP and PNG decoders (portable, host and Windows),
# and on Windows image_load, which makes image objects from picture files.
add_library(vlmr_decoders_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bmp_decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bmp_header.cpp
  ${CMAKE_CURRENT_LIST_DIR}/png_decoder.cpp)
target_link_libraries(vlmr_decoders_core PUBLIC vlmr_runtime PNG::PNG)
vlmr_strict(vlmr_decoders_core)

if(WIN32)
  add_library(vlmr_decoders STATIC ${CMAKE_CURRENT_LIST_DIR}/image_load_win32.cpp)
  target_link_libraries(vlmr_decoders PUBLIC vlmr_decoders_core vlmr_images gdi32 user32)
  vlmr_strict(vlmr_decoders)
endif()
