# vellomir.exe: the entry routine, the picture overlay, finding the picture sheet, the
# running mark and the module resources (icon, manifest, version record).
if(WIN32)
  enable_language(RC)
  add_executable(vellomir WIN32
    ${CMAKE_CURRENT_LIST_DIR}/main_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controller_list_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/overlay_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/picture_file_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/readout_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/running_mark_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/stick_test_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/vellomir.rc)
  # The resource compiler does not see the manifest as an input of its own.
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/vellomir.rc PROPERTIES
    OBJECT_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/vellomir.manifest;${CMAKE_CURRENT_LIST_DIR}/vellomir.ico")
  target_link_libraries(vellomir PRIVATE vlmr_library_order)
  # No link time in the header, so the same sources give the same bytes; a Release build is
  # what users get, without symbols.
  target_link_options(vellomir PRIVATE -Wl,--no-insert-timestamp $<$<CONFIG:Release>:-s>)
  vlmr_strict(vellomir)
endif()
