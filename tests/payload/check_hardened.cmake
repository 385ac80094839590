# Checks that the programs are built hardened: the Windows programs with ASLR
# and DEP, setup.exe and setupw64.exe with the stack protector and checked
# calls (their link maps show them: the programs are stripped), setup.exe
# importing only six system DLLs, lzz position-independent with full RELRO.
cmake_minimum_required(VERSION 3.25)

function(expect text pattern what)
  if(NOT text MATCHES "${pattern}")
    message(SEND_ERROR "${what}")
  endif()
endfunction()

file(GLOB programs ${BUILD}/payload/*.exe ${BUILD}/payload/*.ime)
foreach(program IN LISTS programs ITEMS ${BUILD}/setup.exe ${WIN64_BUILD}/setupw64.exe)
  execute_process(COMMAND ${OBJDUMP} -p ${program} OUTPUT_VARIABLE headers)
  string(REGEX MATCH "\nCharacteristics 0x([0-9a-f]+)" found "${headers}")
  math(EXPR relocations_stripped "0x${CMAKE_MATCH_1} & 0x1")
  string(REGEX MATCH "\nDllCharacteristics[ \t]+([0-9a-f]+)" found "${headers}")
  set(flags 0x${CMAKE_MATCH_1})
  set(required 0x140)  # DYNAMIC_BASE, NX_COMPAT
  if(headers MATCHES "file format pei-x86-64")
    set(required 0x160)  # and HIGH_ENTROPY_VA
  endif()
  math(EXPR present "${flags} & ${required}")
  if(NOT present EQUAL required OR relocations_stripped)
    message(SEND_ERROR "${program}: DllCharacteristics ${flags}, relocations "
                       "stripped ${relocations_stripped}; needs ${required} and relocations")
  endif()
  if(program STREQUAL "${BUILD}/setup.exe")
    string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
    string(TOUPPER "${imports}" imports)
    list(SORT imports)
    string(REPLACE "DLL NAME: " "" imports "${imports}")
    expect("${imports}" "^ADVAPI32.DLL;GDI32.DLL;IMM32.DLL;KERNEL32.DLL;MSVCRT.DLL;USER32.DLL$"
           "setup.exe imports ${imports}")
  endif()
endforeach()

foreach(map ${BUILD}/setup.map ${WIN64_BUILD}/setupw64.map)
  file(READ ${map} text)
  expect("${text}" "libssp\\.a\\(ssp\\.o\\)\n[^\n]*\\.obj\\)? \\(_+stack_chk_fail\\)"
         "${map}: no function of our own calls the stack protector")
  expect("${text}" "libssp\\.a\\([a-z]+-chk\\.o\\)" "${map}: no checked call went in")
endforeach()

execute_process(COMMAND ${READELF} -W -h -l -d --dyn-syms -p .GCC.command.line ${LZZ} OUTPUT_VARIABLE elf)
expect("${elf}" "Type: +DYN" "lzz is not position-independent")
expect("${elf}" "\n +GNU_RELRO " "lzz has no RELRO segment")
expect("${elf}" "\\(FLAGS\\)[^\n]*BIND_NOW|\\(FLAGS_1\\)[^\n]*NOW" "lzz binds lazily: RELRO is partial")
expect("${elf}" "\n +GNU_STACK [^\n]* RW  " "lzz's stack executes")
expect("${elf}" "__stack_chk_fail" "lzz calls no stack protector")
expect("${elf}" "__[a-z]+_chk@" "lzz makes no checked call")
expect("${elf}" "-fstack-protector-strong" "lzz was compiled without -fstack-protector-strong")
expect("${elf}" "-fstack-clash-protection" "lzz was compiled without -fstack-clash-protection")
