# Compiler settings shared by every target of our own.
add_library(vexa_warnings INTERFACE)
target_compile_options(vexa_warnings INTERFACE -Wall -Wextra -Wpedantic -Werror)

if(VEXA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# vexa_library(NAME DIR [DEPS ...]): one static library made of the .cpp files of one folder
# (not its subfolders).
function(vexa_library name dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE vexa_warnings)
endfunction()

# vexa_tests(NAME DIR [DEPS ...]): one GoogleTest program made of the .cpp files of one test folder.
function(vexa_tests name dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} vexa_test_support GTest::gmock_main vexa_warnings)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)
endfunction()
