# The test rig: a run of scripts/wine-run that is killed leaves no prefix, folder or process
# behind (under Wine and Xvfb, which the Windows build's tests run on).
if(WIN32)
  add_test(NAME wine_run_killed COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/wine_run_killed.sh)
  set_tests_properties(wine_run_killed PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77)
endif()
