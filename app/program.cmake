# vellomir.exe: the entry routine, the picture overlay and the module resources.
if(WIN32)
  enable_language(RC)
  add_executable(vellomir WIN32
    ${CMAKE_CURRENT_LIST_DIR}/main_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/overlay_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/picture_file_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/vellomir.rc)
  target_link_libraries(vellomir PRIVATE
    vlmr_startup vlmr_controller vlmr_toolkit vlmr_screen vlmr_images vlmr_decoders)
  vlmr_strict(vellomir)
endif()
