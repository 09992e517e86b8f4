# Drawing tests: the pixel kernels natively under the sanitizers, image objects and drawing
# outputs under Wine.
if(WIN32)
  vlmr_test(drawing_win32_tests
    ${CMAKE_CURRENT_LIST_DIR}/drawing_image_win32_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/drawing_output_win32_test.cpp
    LIBS vlmr_library_order vlmr_images)
endif()
if(NOT WIN32)
  vlmr_test(drawing_tests
    ${CMAKE_CURRENT_LIST_DIR}/drawing_blit_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/drawing_text_mix_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/drawing_shapes_test.cpp
    LIBS vlmr_pixels vlmr_library_order)
endif()
