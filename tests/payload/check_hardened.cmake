# Checks that the programs are built hardened: every Windows program of the
# payload, setup.exe and setupw64.exe with ASLR (and relocations to move it
# by), DEP and, on 64-bit, high-entropy ASLR in its PE header; setup.exe and
# setupw64.exe with the stack protector and the checked calls, which their
# link maps show since the programs are stripped; setup.exe importing only
# the six system DLLs it always did; lzz as a position-independent ELF with
# full RELRO, a stack that does not execute, and the switches it was compiled
# with recorded in it.
# cmake -DBUILD=<build/windows> -DWIN64_BUILD=<build/windows64> -DLZZ=<lzz>
#       -DOBJDUMP=<objdump of x86-64 PE> -DREADELF=<readelf> -P check_hardened.cmake
cmake_minimum_required(VERSION 3.25)

function(read_tool out)
  execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(SEND_ERROR "failed (${status}): ${ARGN}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(expect text pattern what)
  if(NOT text MATCHES "${pattern}")
    message(SEND_ERROR "${what}")
  endif()
endfunction()

file(GLOB programs ${BUILD}/payload/*.exe ${BUILD}/payload/*.ime)
list(APPEND programs ${BUILD}/setup.exe ${WIN64_BUILD}/setupw64.exe)
foreach(program IN LISTS programs)
  read_tool(headers ${OBJDUMP} -p ${program})
  string(REGEX MATCH "\nCharacteristics 0x([0-9a-f]+)" found "${headers}")
  math(EXPR relocations_stripped "0x${CMAKE_MATCH_1} & 0x1")
  string(REGEX MATCH "\nDllCharacteristics[ \t]+([0-9a-f]+)" found "${headers}")
  set(dll_characteristics "0x${CMAKE_MATCH_1}")
  set(required 0x140)  # DYNAMIC_BASE, NX_COMPAT
  if(headers MATCHES "file format pei-x86-64")
    set(required 0x160)  # and HIGH_ENTROPY_VA
  endif()
  math(EXPR present "${dll_characteristics} & ${required}")
  if(NOT present EQUAL required OR relocations_stripped)
    message(SEND_ERROR "${program}: DllCharacteristics ${dll_characteristics}, relocations "
                       "stripped ${relocations_stripped}; needs ${required} and relocations")
  endif()
endforeach()

read_tool(headers ${OBJDUMP} -p ${BUILD}/setup.exe)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
string(TOUPPER "${imports}" imports)
list(SORT imports)
if(NOT imports STREQUAL "DLL NAME: ADVAPI32.DLL;DLL NAME: GDI32.DLL;DLL NAME: IMM32.DLL;DLL NAME: KERNEL32.DLL;DLL NAME: MSVCRT.DLL;DLL NAME: USER32.DLL")
  message(SEND_ERROR "setup.exe imports ${imports}")
endif()

foreach(map ${BUILD}/setup.map ${WIN64_BUILD}/setupw64.map)
  file(READ ${map} text)
  expect("${text}" "libssp\\.a\\(ssp\\.o\\)\n[^\n]*\\.obj\\)? \\(_+stack_chk_fail\\)"
         "${map}: no function of our own calls the stack protector")
  expect("${text}" "libssp\\.a\\([a-z]+-chk\\.o\\)" "${map}: no checked call went in")
endforeach()

read_tool(elf ${READELF} -W -h -l -d --dyn-syms -p .GCC.command.line ${LZZ})
expect("${elf}" "Type: +DYN" "lzz is not position-independent")
expect("${elf}" "\n +GNU_RELRO " "lzz has no RELRO segment")
expect("${elf}" "\\(FLAGS\\)[^\n]*BIND_NOW|\\(FLAGS_1\\)[^\n]*NOW" "lzz binds lazily: RELRO is partial")
expect("${elf}" "\n +GNU_STACK [^\n]* RW  " "lzz's stack executes")
expect("${elf}" "__stack_chk_fail" "lzz calls no stack protector")
expect("${elf}" "__[a-z]+_chk@" "lzz makes no checked call")
foreach(switch -fstack-protector-strong -fstack-clash-protection)
  expect("${elf}" "${switch}" "lzz was compiled without ${switch}")
endforeach()
