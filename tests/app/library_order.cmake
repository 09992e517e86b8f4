# The program's start and end order (Win32, under Wine): every step in its place, seen in
# what the libraries hold after it.
if(WIN32)
  vlmr_test(library_order_tests ${CMAKE_CURRENT_LIST_DIR}/library_order_test.cpp LIBS vlmr_library_order)
endif()
