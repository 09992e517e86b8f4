# Drawing: the portable pixel kernels (blits, grabs, text mix, writers, shapes, flood fill)
# and, on Windows, image objects and drawing outputs on DIB sections.
add_library(vlmr_pixels STATIC
  ${CMAKE_CURRENT_LIST_DIR}/blit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/blit_copy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/canvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fill.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gradient.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shapes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_mix.cpp
  ${CMAKE_CURRENT_LIST_DIR}/writers.cpp)
target_link_libraries(vlmr_pixels PUBLIC vlmr_runtime)
vlmr_strict(vlmr_pixels)

if(WIN32)
  add_library(vlmr_images STATIC
    ${CMAKE_CURRENT_LIST_DIR}/image_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dib_spares_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/image_display_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bitmap_utils_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/drawing_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/drawing_image_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/drawing_ops_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/drawing_text_win32.cpp)
  target_link_libraries(vlmr_images PUBLIC vlmr_pixels vlmr_runtime gdi32 user32)
  vlmr_strict(vlmr_images)
endif()
