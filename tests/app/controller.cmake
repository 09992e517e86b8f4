# Controller model tests: host tests over a scripted joystick interface; on Windows, the winmm
# binding against the virtual controller DLL (tools/vwinmm) and against the system's winmm.
if(NOT WIN32)
  vlmr_test(controller_tests
    ${CMAKE_CURRENT_LIST_DIR}/controller_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controller_fake.cpp
    LIBS vlmr_controller vlmr_startup)
endif()
