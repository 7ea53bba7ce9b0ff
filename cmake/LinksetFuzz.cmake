# linkset_add_fuzz_target(NAME <name> SOURCES <files...> [LIBRARIES <libs...>] CORPUS <dir>)
#
# A fuzz target is a source file defining LLVMFuzzerTestOneInput. Every build gets
# <name>_replay, which feeds each file of the seed corpus through the target once and
# is registered as a test (under the sanitizers in the sanitizer build). With clang and
# LINKSET_FUZZ=ON the libFuzzer program <name> is built as well (make fuzz).
function(linkset_add_fuzz_target)
  cmake_parse_arguments(F "" "NAME;CORPUS" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${F_NAME}_replay ${F_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
  target_link_libraries(${F_NAME}_replay PRIVATE ${F_LIBRARIES})
  add_test(NAME ${F_NAME}_replay COMMAND ${F_NAME}_replay ${F_CORPUS})
  set_tests_properties(${F_NAME}_replay PROPERTIES TIMEOUT 300 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  if(LINKSET_FUZZ AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    add_executable(${F_NAME} ${F_SOURCES})
    target_compile_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
    target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${F_NAME} PRIVATE ${F_LIBRARIES})
  endif()
endfunction()
