# Controller model tests: host tests over a scripted joystick interface; on Windows, the winmm
# binding against the virtual controller DLL (tools/vwinmm) and against the system's winmm.
if(NOT WIN32)
  vlmr_test(controller_tests
    ${CMAKE_CURRENT_LIST_DIR}/controller_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controller_fake.cpp
    ${CMAKE_CURRENT_LIST_DIR}/stick_model_test.cpp
    LIBS vlmr_controller vlmr_library_order)
else()
  # One executable, run three ways: each run selects its cases and its winmm.
  add_executable(controller_winmm_tests ${CMAKE_CURRENT_LIST_DIR}/controller_winmm_test.cpp
                                        ${CMAKE_CURRENT_LIST_DIR}/controller_names_test.cpp)
  target_link_libraries(controller_winmm_tests PRIVATE vlmr_controller vlmr_library_order GTest::gtest
                                                       GTest::gtest_main)
  vlmr_strict(controller_winmm_tests)
  # A folder of its own with the stand-in: Windows would load a winmm.dll beside any test
  # program, and the system's DLLs those load, in place of its own.
  set_target_properties(controller_winmm_tests PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/winmm_tests)
  add_dependencies(controller_winmm_tests vwinmm)
  add_custom_command(TARGET controller_winmm_tests POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:vwinmm>
            $<TARGET_FILE_DIR:controller_winmm_tests>/winmm.dll)

  set(pad_state ${CMAKE_CURRENT_BINARY_DIR}/controller_pads.txt)
  add_test(NAME controller_winmm_tests COMMAND controller_winmm_tests --gtest_filter=VirtualPad.*)
  set_tests_properties(controller_winmm_tests PROPERTIES TIMEOUT 300
    ENVIRONMENT "WINEDLLOVERRIDES=winmm=n;VLMR_PAD_STATE=${pad_state}")
  add_test(NAME controller_winmm_system_tests COMMAND controller_winmm_tests --gtest_filter=SystemWinmm.*)
  set_tests_properties(controller_winmm_system_tests PROPERTIES TIMEOUT 300
    ENVIRONMENT "WINEDLLOVERRIDES=winmm=b;VLMR_PAD_STATE=${pad_state}")
  add_test(NAME controller_names_tests COMMAND controller_winmm_tests --gtest_filter=PadNames.*)
  set_tests_properties(controller_names_tests PROPERTIES TIMEOUT 300)
  add_test(NAME controller_padctl_tests
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/controller_padctl.sh ${CMAKE_SOURCE_DIR}
            $<TARGET_FILE:controller_winmm_tests> ${CMAKE_CURRENT_BINARY_DIR}/controller_padctl_pads.txt)
  set_tests_properties(controller_padctl_tests PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77)
endif()
if(WIN32 AND TARGET vellomir)
  add_test(NAME controller_program_imports
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/controller_imports.sh ${CMAKE_OBJDUMP}
            $<TARGET_FILE:vellomir> $<TARGET_FILE:vwinmm>)
  set_tests_properties(controller_program_imports PROPERTIES TIMEOUT 60)
endif()
