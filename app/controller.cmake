# The controller model: table, polling, axis scaling and change detection over one joystick
# seam. Windows binds the seam to winmm; host builds leave it to the test that links them.
add_library(vlmr_controller STATIC
  ${CMAKE_CURRENT_LIST_DIR}/state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controller.cpp
  ${CMAKE_CURRENT_LIST_DIR}/axes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stick_model.cpp)
if(WIN32)
  target_sources(vlmr_controller PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/joystick_api_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/joystick_names_win32.cpp)
  target_link_libraries(vlmr_controller PUBLIC winmm advapi32)
endif()
target_link_libraries(vlmr_controller PUBLIC vlmr_runtime)
vlmr_strict(vlmr_controller)
