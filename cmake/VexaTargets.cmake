# Compiler settings shared by every target of our own.
add_library(vexa_warnings INTERFACE)
target_compile_options(vexa_warnings INTERFACE -Wall -Wextra -Wpedantic -Werror)

if(VEXA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# The fuzz build instruments every target for coverage, so that libFuzzer sees the edges of the code
# it drives and not only those of the fuzzer's own file. The libFuzzer runtime itself (its main) is
# linked into the fuzzer programs only: see vexa_fuzzer in fuzz/CMakeLists.txt.
if(VEXA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "VEXA_FUZZ needs clang (libFuzzer); use the fuzz preset")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
  add_link_options(-fsanitize=fuzzer-no-link)
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

# The demo device: build/device stands for a device's root. Its content comes from demo/device and
# the programs are copied in (not linked: a program may rewrite its own file).
set(VEXA_DEVICE_DIR ${CMAKE_BINARY_DIR}/device)
add_custom_target(device ALL
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR}/demo/device -DDEVICE=${VEXA_DEVICE_DIR}
          -P ${PROJECT_SOURCE_DIR}/cmake/MakeDevice.cmake
  COMMENT "Laying out the demo device in ${VEXA_DEVICE_DIR}")

# vexa_device_program(TARGET "Folder/Name.exe"): copies a built program onto the demo device.
function(vexa_device_program target place)
  string(MAKE_C_IDENTIFIER "${place}" id)
  get_filename_component(folder "${place}" DIRECTORY)
  add_custom_target(device_${id} ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory "${VEXA_DEVICE_DIR}/${folder}"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${target}> "${VEXA_DEVICE_DIR}/${place}"
    DEPENDS ${target} device
    VERBATIM)
endfunction()
