# The start and end tables the runtime runs (library_order.h): on Windows the program's,
# with the libraries alone as their first part; on the host the portable libraries'.
if(WIN32)
  add_library(vlmr_library_order STATIC ${CMAKE_CURRENT_LIST_DIR}/library_order_win32.cpp)
  target_link_libraries(vlmr_library_order PUBLIC
    vlmr_controller vlmr_toolkit vlmr_screen vlmr_images vlmr_decoders)
else()
  add_library(vlmr_library_order STATIC ${CMAKE_CURRENT_LIST_DIR}/library_order_host.cpp)
  target_link_libraries(vlmr_library_order PUBLIC vlmr_decoders_core)
endif()
vlmr_strict(vlmr_library_order)
