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

# MAIN names the library that holds main() (default: lumko_test_main, which
# runs the tests under a plain QApplication).
function(lumko_test name)
  cmake_parse_arguments(ARG "" "MAIN" "DEPS" ${ARGN})
  if(NOT ARG_MAIN)
    set(ARG_MAIN lumko_test_main)
  endif()
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} ${ARG_MAIN} lumko_test_support lumko_warnings)
  # One variable only: gtest_discover_tests splits any list given here into
  # separate property values, and all but the first are lost. Where renders go
  # is compiled into lumko_test_support instead.
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

function(lumko_benchmark name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} EXCLUDE_FROM_ALL ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark lumko_warnings)
  add_dependencies(bench ${name})
endfunction()
