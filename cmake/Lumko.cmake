# Shared build settings and the three helpers every subsystem uses:
#   lumko_library(<name> DEPS <targets...>)   sources: every .cpp/.h of the folder
#   lumko_test(<name> DEPS <targets...>)      a GoogleTest executable run by CTest
#   lumko_benchmark(<name> DEPS <targets...>) a Google Benchmark executable, part of `bench`

add_library(lumko_warnings INTERFACE)
target_compile_options(lumko_warnings INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(lumko_warnings INTERFACE QT_NO_KEYWORDS QT_NO_CAST_FROM_ASCII)

if(LUMKO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

function(lumko_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE lumko_warnings)
endfunction()

function(lumko_test name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} lumko_test_main lumko_warnings)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LUMKO_TEST_OUTPUT=${PROJECT_BINARY_DIR}/test-output")
endfunction()

function(lumko_benchmark name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} EXCLUDE_FROM_ALL ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark lumko_warnings)
  add_dependencies(bench ${name})
endfunction()
