# The Direct3D 9 windowed screen and the DirectInput keyboard and joystick readers.
# d3d9.dll and DINPUT.DLL are loaded at run time, never linked: the program must start on
# systems without them. dxguid is a static library of interface ids only.
add_library(vlmr_screen STATIC
  ${CMAKE_CURRENT_LIST_DIR}/screen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screen_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screen_sprites.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dinput_shared.cpp
  ${CMAKE_CURRENT_LIST_DIR}/keyboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/joystick.cpp)
target_link_libraries(vlmr_screen PUBLIC vlmr_runtime PRIVATE dxguid user32 gdi32)
vlmr_strict(vlmr_screen)
