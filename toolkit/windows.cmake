# Windows, events, gadgets and their five kinds, fonts, and the common-controls start step.
add_library(vlmr_toolkit STATIC
  ${CMAKE_CURRENT_LIST_DIR}/window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_sizing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/events.cpp
  ${CMAKE_CURRENT_LIST_DIR}/events_focus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/events_foreign.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gadget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gadget_kind.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gadget_stack.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gadget_brush.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gadget_edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gadget_picture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gadget_combo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gadget_combo_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gadget_button.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gadget_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/font.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls.cpp)
target_link_libraries(vlmr_toolkit PUBLIC vlmr_runtime vlmr_images vlmr_screen comctl32 ole32 user32 gdi32)
vlmr_strict(vlmr_toolkit)
