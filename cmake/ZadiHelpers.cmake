# Build helpers shared by every layer.
# SPDX-License-Identifier: MIT

function(zadi_apply_warnings_and_sanitizers)
  add_compile_options(-Wall -Wextra)
  if(SANITIZE)
    add_compile_options(-fsanitize=${SANITIZE} -fno-omit-frame-pointer)
    add_link_options(-fsanitize=${SANITIZE})
    if(SANITIZE MATCHES "undefined")
      add_compile_options(-fno-sanitize-recover=undefined)
    endif()
  endif()
  if(ZADI_FUZZ)
    # Coverage feedback for libFuzzer on every library the targets link.
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
endfunction()

# A layer is one folder and one library. Every .cpp below the folder is part of
# it, so adding a file needs no CMake edit; a layer without sources yet is an
# interface library so that others can already link it.
#   zadi_add_layer(NAME DIR [EXCLUDE regex] [DEPS target...])
function(zadi_add_layer name dir)
  cmake_parse_arguments(ARG "" "EXCLUDE" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${dir}/*.cpp")
  if(ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${ARG_EXCLUDE}")
  endif()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}")
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE "${PROJECT_SOURCE_DIR}")
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# One test executable per layer: every .cpp in tests/<layer>/. The shared
# main (tests/test_main.cpp) sets the environment the tests rely on, so a test
# binary behaves the same whether ctest, a debugger or a shell starts it.
function(zadi_add_test_suite name dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${dir}/*.cpp")
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} zadi_test_main GTest::gtest GTest::gmock)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}"
    PROPERTIES TIMEOUT 300)
endfunction()
