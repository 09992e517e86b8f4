# The committed picture sheet: its size, the patch layout the picture overlay relies on,
# and that it is what sheetgen draws today; and sheetgen's coverage painting.
if(NOT WIN32)
  vlmr_test(sheet_test ${CMAKE_CURRENT_LIST_DIR}/sheet_test.cpp LIBS PNG::PNG)
  target_compile_definitions(sheet_test PRIVATE
    SHEET_COMMITTED="${CMAKE_SOURCE_DIR}/gfx/vlmr.png"
    SHEET_FRESH="${CMAKE_BINARY_DIR}/sheet_fresh.png")
  add_test(NAME sheet_draw COMMAND sheetgen ${CMAKE_BINARY_DIR}/sheet_fresh.png)
  set_tests_properties(sheet_draw PROPERTIES FIXTURES_SETUP fresh_sheet)
  set_tests_properties(sheet_test PROPERTIES FIXTURES_REQUIRED fresh_sheet)
  vlmr_test(sheet_raster_test ${CMAKE_CURRENT_LIST_DIR}/sheet_raster_test.cpp
    ${CMAKE_SOURCE_DIR}/tools/sheetgen/raster.cpp)
endif()
