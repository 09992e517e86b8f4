# Keyboard and joystick tests (Win32, under Wine): the gtest suite with and without
# DINPUT.DLL, and the held-key and focus case driven by input_keyboard.sh.
if(WIN32)
  vlmr_test(input_test ${CMAKE_CURRENT_LIST_DIR}/input_test.cpp LIBS vlmr_library_order vlmr_screen)
  add_test(NAME input_test_without_dinput COMMAND input_test)
  set_tests_properties(input_test_without_dinput PROPERTIES TIMEOUT 300
    ENVIRONMENT "WINEDLLOVERRIDES=dinput=d;VLMR_DINPUT_DISABLED=1")
  add_test(NAME input_keyboard
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/input_keyboard.sh $<TARGET_FILE:screen_probe>)
  set_tests_properties(input_keyboard PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77)
endif()
