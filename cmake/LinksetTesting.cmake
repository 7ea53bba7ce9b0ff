# linkset_add_test(NAME <name> SOURCES <files...> [LIBRARIES <libs...>] [QT_MAIN] [TIMEOUT <seconds>])
#
# Builds one GoogleTest program and registers it as one CTest test. With QT_MAIN the
# program gets a main() that creates a QApplication (offscreen platform), so widget
# tests and code that needs an event loop can run. Every test program gets a private
# XDG_CONFIG_HOME, so per-user settings and the component registry never touch the
# user's own files, and programs running in parallel never share one.
function(linkset_add_test)
  cmake_parse_arguments(T "QT_MAIN" "NAME;TIMEOUT" "SOURCES;LIBRARIES" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  if(T_QT_MAIN)
    target_link_libraries(${T_NAME} PRIVATE linkset_qt_gtest_main)
  else()
    target_link_libraries(${T_NAME} PRIVATE GTest::gtest_main)
  endif()
  target_link_libraries(${T_NAME} PRIVATE GTest::gtest GTest::gmock ${T_LIBRARIES})
  set(home "${CMAKE_CURRENT_BINARY_DIR}/${T_NAME}.home")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${home}/config;HOME=${home}")
  file(MAKE_DIRECTORY "${home}/config")
endfunction()
