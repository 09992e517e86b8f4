# Windowed-screen tests (Win32, under Wine): the gtest suite with and without d3d9.dll (a
# lost device and failing presents included), and
# the backdrop screenshots taken from outside by screen_backdrop.sh.
if(WIN32)
  vlmr_test(screen_test ${CMAKE_CURRENT_LIST_DIR}/screen_test.cpp ${CMAKE_CURRENT_LIST_DIR}/screen_lost_test.cpp
            LIBS vlmr_library_order vlmr_screen)
  # Wine shows a child window's Direct3D output only with its Vulkan renderer.
  set_tests_properties(screen_test PROPERTIES ENVIRONMENT "WINE_D3D_CONFIG=renderer=vulkan")
  add_test(NAME screen_test_without_d3d9 COMMAND screen_test)
  set_tests_properties(screen_test_without_d3d9 PROPERTIES TIMEOUT 300
    ENVIRONMENT "WINEDLLOVERRIDES=d3d9=d;VLMR_D3D9_DISABLED=1")

  # The probe: a 620 x 300 window with the grey screen, one button and a keyboard log.
  add_executable(screen_probe ${CMAKE_CURRENT_LIST_DIR}/screen_probe.cpp)
  target_link_libraries(screen_probe PRIVATE vlmr_library_order vlmr_screen)
  vlmr_strict(screen_probe)
  foreach(mode normal d3d9 dinput)
    add_test(NAME screen_backdrop_${mode}
      COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/screen_backdrop.sh $<TARGET_FILE:screen_probe> ${mode})
    set_tests_properties(screen_backdrop_${mode} PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77)
  endforeach()
endif()
