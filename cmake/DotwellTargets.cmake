# Shared helpers for every CMakeLists.txt of the tree.

if(DOTWELL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

if(DOTWELL_FUZZ)
  # Everything is built with coverage so the fuzzer sees into the libraries.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
  # The Wine prefix lives in the build folder; tests never touch ~/.wine.
  set(DOTWELL_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/cmake/wine-run ${DOTWELL_WINEPREFIX})
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0600)
  # Hardening: stack canaries and checked string and memory calls, whose
  # helpers (libssp) link statically like the rest of the runtime, so no
  # runtime DLL is needed (the canary is seeded through advapi32, which
  # every Windows has); every PE file asks for ASLR (64-bit) and DEP.
  add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-fstack-protector-strong>)
  add_compile_definitions($<$<COMPILE_LANGUAGE:C,CXX>:_FORTIFY_SOURCE=2>)
  add_link_options(-fstack-protector-strong
    -Wl,--dynamicbase -Wl,--nxcompat -Wl,--high-entropy-va)
  add_test(NAME wine_prefix COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine-prefix ${DOTWELL_WINEPREFIX})
  set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix)
  # zlib links statically: Windows has no zlib1.dll (Wine does). A build
  # configured before this still caches the DLL's import library.
  set(ZLIB_USE_STATIC_LIBS ON)
  if(ZLIB_LIBRARY_RELEASE MATCHES "\\.dll\\.a$")
    unset(ZLIB_LIBRARY_RELEASE CACHE)
  endif()
endif()

# Our own code is warning-free; third-party code is left alone.
function(dotwell_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wformat=2)
  if(WIN32)
    # GetProcAddress results are cast to their real types all the time, and
    # message formats come from the string table, not from literals.
    target_compile_options(${target} PRIVATE -Wno-cast-function-type -Wno-format-nonliteral)
  endif()
  if(DOTWELL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# Labels tests with the area they belong to (set by dotwell_add_areas), so
# that `ctest -L '^sheet$'` runs one area.
function(dotwell_area_label)
  if(DOTWELL_AREA)
    set_tests_properties(${ARGN} PROPERTIES LABELS ${DOTWELL_AREA})
  endif()
endfunction()

# GoogleTest: Debian's package natively, its shipped sources for the
# cross build.
if(WIN32)
  if(NOT TARGET gtest)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  endif()
  set(DOTWELL_GTEST_MAIN gtest_main)
  set(DOTWELL_GTEST gtest)
  set(DOTWELL_GMOCK gmock)
else()
  find_package(GTest REQUIRED)
  set(DOTWELL_GTEST_MAIN GTest::gtest_main)
  set(DOTWELL_GTEST GTest::gtest)
  set(DOTWELL_GMOCK GTest::gmock)
endif()

# Portable code also warns of implicit narrowing (sign changes aside), so
# every narrowing is a visible cast.
function(dotwell_portable_warnings target)
  dotwell_warnings(${target})
  target_compile_options(${target} PRIVATE -Wconversion -Wno-sign-conversion)
endfunction()

# A portable library: never includes <windows.h>, builds natively and for
# Windows.
#   dotwell_core_library(NAME SOURCES ... [LIBS ...])
function(dotwell_core_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  dotwell_portable_warnings(${name})
endfunction()

# A GoogleTest executable of portable code: runs natively, and under Wine in
# the cross build, so 32-bit `long` and other LLP64 surprises are caught.
#   dotwell_unit_test(NAME SOURCES ... LIBS ...)
function(dotwell_unit_test name)
  if(DOTWELL_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${DOTWELL_GMOCK} ${DOTWELL_GTEST_MAIN})
  target_compile_definitions(${name} PRIVATE DOTWELL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  dotwell_warnings(${name})
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  dotwell_area_label(${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "DOTWELL_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
  if(WIN32)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_prefix RUN_SERIAL TRUE)
  endif()
endfunction()

# A GoogleTest executable that drives real windows under Wine (cross build
# only). Tests of one prefix run one at a time.
#   dotwell_win_test(NAME SOURCES ... LIBS ... [RESOURCES file.rc])
function(dotwell_win_test name)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;RESOURCES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${ARG_RESOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${DOTWELL_GMOCK} ${DOTWELL_GTEST_MAIN})
  target_compile_definitions(${name} PRIVATE DOTWELL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  dotwell_warnings(${name})
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  dotwell_area_label(${name})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_prefix RUN_SERIAL TRUE TIMEOUT 300)
endfunction()

# A libFuzzer target (fuzz build only); ./test runs each briefly.
#   dotwell_fuzz_target(NAME SOURCES ... LIBS ...)
function(dotwell_fuzz_target name)
  if(NOT DOTWELL_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  dotwell_warnings(${name})
  set(corpus ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
  set(work ${CMAKE_CURRENT_BINARY_DIR}/corpus-${name})
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND} -E env ${CMAKE_SOURCE_DIR}/fuzz/run-fuzzer $<TARGET_FILE:${name}> ${corpus} ${work})
  dotwell_area_label(${name})
endfunction()

# A Google Benchmark executable (native builds only, not run by ./test).
#   dotwell_benchmark(NAME SOURCES ... LIBS ...)
function(dotwell_benchmark name)
  if(WIN32 OR DOTWELL_FUZZ OR DOTWELL_SANITIZE)
    return()
  endif()
  find_package(benchmark REQUIRED)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark_main)
  target_compile_definitions(${name} PRIVATE DOTWELL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  dotwell_warnings(${name})
endfunction()

# Each subfolder of the calling folder with a CMakeLists.txt is one area of
# its own; its tests are labelled with its name. DOTWELL_AREAS, when set,
# limits the build to the areas it lists.
function(dotwell_add_areas)
  file(GLOB areas LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT areas)
  foreach(area IN LISTS areas)
    if(DOTWELL_AREAS AND NOT area IN_LIST DOTWELL_AREAS)
      continue()
    endif()
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${area}/CMakeLists.txt)
      set(DOTWELL_AREA ${area})
      add_subdirectory(${area})
    endif()
  endforeach()
endfunction()
