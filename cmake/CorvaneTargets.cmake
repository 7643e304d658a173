# Shared target settings: strict warnings, optional sanitizers, and one helper per kind of target.

add_library(corvane_warnings INTERFACE)
# Shadowed names, silent narrowing and old-style casts hide the faults that numeric and pixel code
# is most prone to, so they are warnings too; CI turns every warning into an error.
target_compile_options(corvane_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wold-style-cast)
if(CORVANE_WERROR)
  target_compile_options(corvane_warnings INTERFACE -Werror)
endif()
if(CORVANE_SANITIZE)
  target_compile_options(corvane_warnings INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                    -fno-sanitize-recover=undefined)
  target_link_options(corvane_warnings INTERFACE -fsanitize=address,undefined)
endif()

# corvane_add_library(NAME DEPS...): a static library from every source in the calling directory.
function(corvane_add_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARGN} PRIVATE corvane_warnings)
endfunction()

# Every test ends within this many seconds or fails; most take well under one, so a hang is caught
# long before the run would stall, even on a loaded machine or under the sanitizers. A folder whose
# tests run the likelihood fit sets a longer one before corvane_add_tests.
set(CORVANE_TEST_TIMEOUT 60)

# corvane_add_tests(NAME LABEL LIBS...): one GoogleTest executable from every *_test.cpp in the
# calling directory, registered with CTest under LABEL (unit: plain logic; widget: draws or drives
# Qt widgets) and run on Qt's offscreen platform.  `ctest -L unit` runs the quick ones alone.
function(corvane_add_tests name label)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp
       ${CMAKE_CURRENT_SOURCE_DIR}/*_support.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gmock GTest::gtest corvane_test_main corvane_test_support
                        corvane_warnings)
  # One variable per property: the discovery flattens a list value, which would split a two-variable
  # ENVIRONMENT into stray property names and lose what follows.
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "LC_ALL=C.UTF-8" ENVIRONMENT_MODIFICATION "QT_QPA_PLATFORM=set:offscreen"
                                  LABELS ${label} TIMEOUT ${CORVANE_TEST_TIMEOUT})
endfunction()

# corvane_add_benchmarks(LIBS...): one Google Benchmark executable per *_bench.cpp in the directory.
function(corvane_add_benchmarks)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_bench.cpp)
  foreach(source ${sources})
    get_filename_component(stem ${source} NAME_WE)
    add_executable(${stem} ${source})
    target_link_libraries(${stem} PRIVATE ${ARGN} benchmark::benchmark corvane_warnings)
  endforeach()
endfunction()

# The optimised builds (the package's among them) are hardened as Debian builds its own packages:
# the flags dpkg-buildflags gives with every hardening feature on (fortified functions, stack
# protector, read-only relocations bound at load; PIE is the compiler's default). The build type
# keeps its own optimisation and debug flags. Fortification needs optimisation, so Debug builds and
# the sanitizer and fuzz builds go without.
if(CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo)$" AND NOT CORVANE_SANITIZE AND NOT CORVANE_FUZZ_ONLY)
  find_program(CORVANE_DPKG_BUILDFLAGS dpkg-buildflags)
  if(CORVANE_DPKG_BUILDFLAGS)
    foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
      execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                              ${CORVANE_DPKG_BUILDFLAGS} --get ${kind}
                      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
      separate_arguments(flags UNIX_COMMAND "${flags}")
      list(FILTER flags EXCLUDE REGEX "^-(g|O[0-9s]?)$")
      set(CORVANE_HARDENING_${kind} ${flags})
    endforeach()
    add_compile_options(${CORVANE_HARDENING_CPPFLAGS} ${CORVANE_HARDENING_CXXFLAGS})
    add_link_options(${CORVANE_HARDENING_LDFLAGS})
    message(STATUS "Hardening: ${CORVANE_HARDENING_CPPFLAGS} ${CORVANE_HARDENING_CXXFLAGS} ${CORVANE_HARDENING_LDFLAGS}")
  endif()
endif()
