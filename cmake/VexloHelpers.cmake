# Build settings shared by every target, and one helper to declare a test program.

set(VEXLO_WINDOWS ${WIN32})
if(WIN32)
  # Windows binaries carry the C++ runtime inside them: no MinGW DLL beside them.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
# GCC 12 reports -Wrestrict for ordinary std::string concatenation in optimised builds (a known false
# positive of that release); it would drown real warnings.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-restrict)
endif()

if(VEXLO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# GoogleTest: the system's on Linux, built from Debian's source package for Windows.
if(VEXLO_TESTS)
  if(WIN32)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    if(NOT TARGET GTest::gtest_main)
      add_library(GTest::gtest ALIAS gtest)
      add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
  else()
    find_package(GTest REQUIRED)
  endif()
endif()

# vexlo_add_test(NAME SOURCES... [LIBS ...]): one GoogleTest program, run by ctest natively or,
# in the Windows x86-64 build, under wine64 (the toolchain's emulator).
# A build whose programs cannot run here (the i686 tree: these machines cannot execute 32-bit code)
# builds no test program at all.
function(vexlo_add_test name)
  if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  # Chinese literals in tests are GBK bytes, like the texts the plugin exchanges.
  vexlo_gbk_sources(${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "VEXLO_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()

# Texts in UTF-8 source that must reach the binary as GBK bytes: compile those files with GCC's
# execution character set (the only place where the conversion happens).
function(vexlo_gbk_sources)
  set_source_files_properties(${ARGN} PROPERTIES COMPILE_OPTIONS "-finput-charset=UTF-8;-fexec-charset=GBK")
endfunction()

# vexlo_layer_sources(VAR DIR): the sources of one layer folder. Files ending in _test.cpp are tests;
# files ending in _windows.cpp build only for Windows and files ending in _posix.cpp only elsewhere,
# which is how a platform implementation is chosen (no #ifdef above the platform seam).
function(vexlo_layer_sources var dir)
  file(GLOB all CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(out)
  foreach(f ${all})
    if(f MATCHES "_test\\.cpp$")
      continue()
    elseif(f MATCHES "_windows\\.cpp$" AND NOT WIN32)
      continue()
    elseif(f MATCHES "_posix\\.cpp$" AND WIN32)
      continue()
    endif()
    list(APPEND out ${f})
  endforeach()
  set(${var} ${out} PARENT_SCOPE)
endfunction()

# vexlo_layer_tests(VAR DIR): the unit tests beside the sources of one layer folder.
function(vexlo_layer_tests var dir)
  file(GLOB all CONFIGURE_DEPENDS ${dir}/*_test.cpp)
  set(out)
  foreach(f ${all})
    if(f MATCHES "_windows_test\\.cpp$" AND NOT WIN32)
      continue()
    elseif(f MATCHES "_posix_test\\.cpp$" AND WIN32)
      continue()
    endif()
    list(APPEND out ${f})
  endforeach()
  set(${var} ${out} PARENT_SCOPE)
endfunction()
