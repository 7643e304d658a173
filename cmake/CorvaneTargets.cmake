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

# Every test ends within this many seconds or fails; the slowest take well under one, so a hang is
# caught long before the run would stall, even on a loaded machine or under the sanitizers.
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
