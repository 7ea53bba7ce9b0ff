# Fuzzing. With clang and LINKSET_FUZZ=ON (make fuzz: a build folder of its own, with the
# sanitizers on) the libFuzzer programs are built; every build has the corpus replays.
#
# linkset_fuzz_instrument(<library>)
#   In a fuzzing build, compiles the library with coverage instrumentation so the fuzzer
#   sees into it. Programs that link it without the fuzzer runtime take the coverage
#   hooks from the sanitizer runtime, which the fuzzing build always links.
#
# linkset_add_fuzz_target(NAME <name> SOURCES <files...> [LIBRARIES <libs...>] CORPUS <dir>)
#   A fuzz target is a source file defining LLVMFuzzerTestOneInput. Every build gets
#   <name>_replay, which feeds each file of the seed corpus through the target once and
#   is registered as a test (under the sanitizers in the sanitizer build). In a fuzzing
#   build the libFuzzer program <name> is built as well, and belongs to the target
#   linkset_fuzzers, which builds them all and nothing else.
set(LINKSET_FUZZING OFF)
if(LINKSET_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "LINKSET_FUZZ needs clang (CC=clang CXX=clang++)")
  endif()
  if(NOT LINKSET_SANITIZE)
    message(FATAL_ERROR "LINKSET_FUZZ needs LINKSET_SANITIZE=ON: the fuzzers run under the sanitizers")
  endif()
  set(LINKSET_FUZZING ON)
  add_custom_target(linkset_fuzzers)
endif()

function(linkset_fuzz_instrument library)
  if(LINKSET_FUZZING)
    target_compile_options(${library} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
endfunction()

function(linkset_add_fuzz_target)
  cmake_parse_arguments(F "" "NAME;CORPUS" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${F_NAME}_replay ${F_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
  target_link_libraries(${F_NAME}_replay PRIVATE ${F_LIBRARIES})
  add_test(NAME ${F_NAME}_replay COMMAND ${F_NAME}_replay ${F_CORPUS})
  set_tests_properties(${F_NAME}_replay PROPERTIES TIMEOUT 300 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  if(LINKSET_FUZZING)
    add_executable(${F_NAME} ${F_SOURCES})
    target_compile_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
    target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${F_NAME} PRIVATE ${F_LIBRARIES})
    add_dependencies(linkset_fuzzers ${F_NAME})
  endif()
endfunction()
