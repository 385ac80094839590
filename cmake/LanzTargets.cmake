# Helpers shared by every folder's CMakeLists.

# Warnings for our own targets (never for GoogleTest's).
function(lanz_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${LANZ_WERROR}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wformat=2
                           $<$<BOOL:${LANZ_WERROR}>:-Werror>)
  endif()
endfunction()

# Path of a host tool (a generator or lzz). A native build makes it itself;
# a cross build takes it from the host preset's build folder.
function(lanz_host_tool out name)
  if(CMAKE_CROSSCOMPILING)
    set(path ${LANZ_HOST_TOOLS}/${name})
    if(NOT EXISTS ${path})
      message(FATAL_ERROR "${name} not found in LANZ_HOST_TOOLS (${LANZ_HOST_TOOLS}): build the host preset first")
    endif()
    set(${out} ${path} PARENT_SCOPE)
  else()
    set(${out} $<TARGET_FILE:${name}> PARENT_SCOPE)
  endif()
endfunction()

# Registers a Windows-side GoogleTest program under Wine: one CTest test per
# test suite and platform configuration, each run in a fresh prefix. With
# ROWS, one per row of a parameterized suite instead, each row in a prefix
# of its own (instantiated without a prefix, its tests are Suite.Test/Row).
#   lanz_wine_tests(TARGET SUITES s1 s2... [ROWS r1...] [CONFIGS c1...] [ENVIRONMENT v=x...])
function(lanz_wine_tests target)
  cmake_parse_arguments(arg "" "" "SUITES;ROWS;CONFIGS;ENVIRONMENT" ${ARGN})
  if(NOT arg_CONFIGS)
    set(arg_CONFIGS ${LANZ_CONFIGS})
  endif()
  foreach(config IN LISTS arg_CONFIGS)
    foreach(suite IN LISTS arg_SUITES)
      if(arg_ROWS)
        foreach(row IN LISTS arg_ROWS)
          lanz_wine_test(${target}.${config}.${suite}.${row} ${target} "${suite}.*/${row}" ${config}
                         "${arg_ENVIRONMENT}")
        endforeach()
      else()
        lanz_wine_test(${target}.${config}.${suite} ${target} "${suite}.*" ${config}
                       "${arg_ENVIRONMENT}")
      endif()
    endforeach()
  endforeach()
endfunction()

function(lanz_wine_test name target filter config environment)
  add_test(NAME ${name} COMMAND ${target} --gtest_filter=${filter})
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED bench.${config}
    ENVIRONMENT "LANZ_CONFIG=${config};LANZ_BENCH_DIR=${LANZ_BENCH_DIR};LANZ_PRIVATE_DISPLAY=1;${environment}"
    LABELS "wine;${config}"
    # A suite that ran no test (a stale binary, a renamed suite) fails.
    FAIL_REGULAR_EXPRESSION "\\] 0 tests from"
    TIMEOUT 300)
endfunction()

# Path of a file that the 64-bit build made (64-bit modules, setupw64.exe):
# the 32-bit build packs them into its payload, so the windows64 preset
# must have been built before this one is configured.
function(lanz_win64_output out relative_path)
  set(path ${LANZ_WIN64_BUILD}/${relative_path})
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "${relative_path} not found in LANZ_WIN64_BUILD (${LANZ_WIN64_BUILD}): build the windows64 preset first")
  endif()
  set(${out} ${path} PARENT_SCOPE)
endfunction()
