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
