# Toolkit tests: Win32 executables run under Wine with the real user32, gdi32 and comctl32.
if(WIN32)
  function(vlmr_toolkit_test name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE vlmr_library_order vlmr_toolkit GTest::gtest)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    vlmr_strict(${name})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  endfunction()

  vlmr_toolkit_test(toolkit_window_tests ${CMAKE_CURRENT_LIST_DIR}/toolkit_window_test.cpp)
  vlmr_toolkit_test(toolkit_event_tests ${CMAKE_CURRENT_LIST_DIR}/toolkit_events_test.cpp)
  vlmr_toolkit_test(toolkit_gadget_tests ${CMAKE_CURRENT_LIST_DIR}/toolkit_gadgets_test.cpp
                    ${CMAKE_CURRENT_LIST_DIR}/toolkit_picture_test.cpp)
  vlmr_toolkit_test(toolkit_font_tests ${CMAKE_CURRENT_LIST_DIR}/toolkit_fonts_test.cpp)
  vlmr_toolkit_test(toolkit_leak_tests ${CMAKE_CURRENT_LIST_DIR}/toolkit_leak_test.cpp)
  # The font test again at 120 DPI, in a prefix copy of its own.
  add_test(NAME toolkit_font_tests_120dpi
           COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/toolkit_fonts_dpi.sh 120 $<TARGET_FILE:toolkit_font_tests>)
  set_tests_properties(toolkit_font_tests_120dpi PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77)
endif()
