# Windows programs scripts/bench runs under Wine: where a refresh's time goes (refresh_bench)
# and the idle floor, a bare window with the main loop's pace (idle_floor).
if(WIN32)
  add_executable(refresh_bench ${CMAKE_CURRENT_LIST_DIR}/refresh_win32.cpp
    ${CMAKE_SOURCE_DIR}/app/readout_win32.cpp
    ${CMAKE_SOURCE_DIR}/app/overlay_win32.cpp
    ${CMAKE_SOURCE_DIR}/app/picture_file_win32.cpp
    ${CMAKE_SOURCE_DIR}/app/stick_test_win32.cpp)
  target_link_libraries(refresh_bench PRIVATE vlmr_library_order)
  vlmr_strict(refresh_bench)
  add_executable(idle_floor WIN32 ${CMAKE_CURRENT_LIST_DIR}/idle_floor_win32.cpp)
  target_link_libraries(idle_floor PRIVATE winmm)
  vlmr_strict(idle_floor)
endif()
