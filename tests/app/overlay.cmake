# The picture overlay on the committed sheet (Win32, under Wine): every patch of its tables
# against composites made from the sheet's own pixels.
if(WIN32 AND TARGET vlmr_decoders)
  vlmr_test(overlay_win32_tests ${CMAKE_CURRENT_LIST_DIR}/overlay_win32_test.cpp
    ${CMAKE_SOURCE_DIR}/app/overlay_win32.cpp
    LIBS vlmr_library_order)
  target_compile_definitions(overlay_win32_tests PRIVATE VLMR_SHEET="Z:${CMAKE_SOURCE_DIR}/gfx/vlmr.png")
endif()
