# Helpers shared by every CMakeLists.txt of the project.

if(WIN32)
  set(GRABWELL_WINDOWS ON)
else()
  set(GRABWELL_WINDOWS OFF)
endif()

# In the fuzz build our libraries are instrumented, so every program linked
# from them (the fuzzers, but also grabwell-tool) needs the sanitizer runtimes.
if(GRABWELL_FUZZ)
  add_link_options(-fsanitize=address,undefined)
endif()

# Adds each listed folder that has a CMakeLists.txt of its own.
function(grabwell_add_subdirectories)
  foreach(dir IN LISTS ARGN)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()

# Adds every immediate subfolder that has a CMakeLists.txt (tests/, bench/),
# except those named after EXCEPT.
function(grabwell_add_all_subdirectories)
  cmake_parse_arguments(arg "" "" "EXCEPT" ${ARGN})
  file(GLOB children RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(child IN_LIST arg_EXCEPT)
      continue()
    endif()
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# Warnings are errors in our own code; third-party code is not built with this.
function(grabwell_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wno-missing-field-initializers)
  if(GRABWELL_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  if(GRABWELL_FUZZ)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  endif()
  if(GRABWELL_WINDOWS)
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  endif()
endfunction()

# A static library of ours.
function(grabwell_library target)
  add_library(${target} STATIC ${ARGN})
  grabwell_target(${target})
endfunction()

# A GoogleTest program, registered with CTest as one test. On the Windows
# builds CTest runs it through wine64 (CMAKE_CROSSCOMPILING_EMULATOR).
function(grabwell_test target)
  add_executable(${target} ${ARGN})
  grabwell_target(${target})
  target_link_libraries(${target} PRIVATE GTest::gtest GTest::gtest_main GTest::gmock)
  add_test(NAME ${target} COMMAND ${target})
  set_tests_properties(${target} PROPERTIES TIMEOUT 300 ENVIRONMENT "GRABWELL_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()

# GoogleTest: Debian's package natively; compiled from Debian's sources for Windows.
if(GRABWELL_TESTS)
  if(GRABWELL_WINDOWS)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/third_party/googletest EXCLUDE_FROM_ALL)
    # googletest's own CMakeLists already defines the GTest:: aliases.
  else()
    find_package(GTest REQUIRED)
  endif()
endif()

if(GRABWELL_BENCH)
  find_package(benchmark REQUIRED)
endif()

# libjpeg with the 6b interface: Debian's libjpeg62-turbo natively; for
# Windows a static build made by scripts/build-libjpeg-win.sh (GRABWELL_JPEG_PREFIX).
if(GRABWELL_WINDOWS)
  if(NOT GRABWELL_JPEG_PREFIX OR NOT EXISTS ${GRABWELL_JPEG_PREFIX}/lib/libjpeg.a)
    message(FATAL_ERROR "GRABWELL_JPEG_PREFIX must name a libjpeg build (run scripts/build-libjpeg-win.sh)")
  endif()
  add_library(grabwell_jpeg STATIC IMPORTED GLOBAL)
  set_target_properties(grabwell_jpeg PROPERTIES
    IMPORTED_LOCATION ${GRABWELL_JPEG_PREFIX}/lib/libjpeg.a
    INTERFACE_INCLUDE_DIRECTORIES ${GRABWELL_JPEG_PREFIX}/include)
else()
  find_package(JPEG REQUIRED)
  add_library(grabwell_jpeg INTERFACE IMPORTED GLOBAL)
  target_link_libraries(grabwell_jpeg INTERFACE JPEG::JPEG)
endif()

# One layer library, grabwell_<layer>: the portable sources directly in the
# layer's folder, plus on the Windows builds the Windows program code in its
# win/ subfolder. DEPS are linked publicly.
#   grabwell_layer(gif DEPS grabwell_platform)
function(grabwell_layer layer)
  cmake_parse_arguments(arg "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(GRABWELL_WINDOWS)
    file(GLOB win_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/win/*.cpp)
    list(APPEND sources ${win_sources})
  endif()
  set(target grabwell_${layer})
  if(sources)
    add_library(${target} STATIC ${sources})
    grabwell_target(${target})
    target_link_libraries(${target} PUBLIC ${arg_DEPS})
  else()
    add_library(${target} INTERFACE)
    target_link_libraries(${target} INTERFACE ${arg_DEPS})
  endif()
endfunction()

# A fuzz target over LLVMFuzzerTestOneInput in SOURCE. In the fuzz build it
# becomes the libFuzzer program fuzz_<name>; in the native test build it
# becomes replay_<name>, which feeds every file of tests/fuzz/corpus/<name>/
# (seeds and any crash ever found) through the same function, so a crash
# reproduces without the fuzzer.
#   grabwell_fuzzer(bmp_reader fuzz_bmp_reader.cpp LIBS grabwell_output)
function(grabwell_fuzzer name source)
  cmake_parse_arguments(arg "" "" "LIBS" ${ARGN})
  if(GRABWELL_FUZZ)
    add_executable(fuzz_${name} ${source})
    target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined -fno-omit-frame-pointer)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(fuzz_${name} PRIVATE ${arg_LIBS})
  elseif(NOT GRABWELL_WINDOWS)
    add_executable(replay_${name} ${source} ${CMAKE_SOURCE_DIR}/tests/fuzz/replay_main.cpp)
    grabwell_target(replay_${name})
    target_link_libraries(replay_${name} PRIVATE ${arg_LIBS})
    add_test(NAME replay_${name} COMMAND replay_${name} ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name})
  endif()
endfunction()

# A Google Benchmark program of ours, run by bench/run.sh.
function(grabwell_benchmark target)
  add_executable(${target} ${ARGN})
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  target_link_libraries(${target} PRIVATE benchmark::benchmark)
endfunction()
