# Checks what a 32-bit build assembled: payload.lzz holds the listed entries
# in order, the files have the sizes and version texts the installer relies
# on, and setup.exe carries payload.lzz as resource LZZ/LZSRLZZ, language 2052.
# cmake -DBUILD=<build/windows> -DLZZ=<lzz> -DENTRIES=<entries.txt>
#       -DOBJDUMP=<objdump> -P check_assembled.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/LanzPayloadList.cmake)
# Every failed check is reported (SEND_ERROR) and the script goes on.
macro(fail message)
  message(SEND_ERROR "${message}")
endmacro()

# Listing: one line per entry, name first, in the order of the list.
lanz_read_payload_list(${ENTRIES} ENTRY)
execute_process(COMMAND ${LZZ} list ${BUILD}/payload.lzz OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  fail("lzz list payload.lzz failed (${status})")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${listing}")
list(TRANSFORM lines REPLACE " .*" "" OUTPUT_VARIABLE listed)
list(LENGTH listed count)
if(NOT count EQUAL 79)
  fail("payload.lzz lists ${count} entries, not 79")
endif()
if(NOT listed STREQUAL ENTRY_NAMES)
  fail("payload.lzz entries differ from entries.txt: ${listed}")
endif()

# Sizes: about 4.8 MiB in all, the Pinyin dictionary the largest.
set(total 0)
set(largest 0)
foreach(name IN LISTS ENTRY_NAMES)
  file(SIZE ${BUILD}/payload/${name} size)
  math(EXPR total "${total} + ${size}")
  if(size GREATER largest)
    set(largest ${size})
    set(largest_name ${name})
  endif()
endforeach()
if(total LESS 4718592 OR total GREATER 5347737)
  fail("payload files total ${total} bytes, not about 4.8 MiB")
endif()
if(NOT largest_name STREQUAL "lanzpyck.lz1" OR NOT largest EQUAL 1833364)
  fail("largest entry is ${largest_name} of ${largest} bytes, not lanzpyck.lz1 of 1833364")
endif()

# Version texts: "智能岚舟输入平台" in UTF-16LE, then two blanks and 6.3 or 7.3.
set(product 7a66fd809a5c1f82938f6551735ef053)
set(first_pass ${product}2000200036002e003300)
set(full ${product}2000200037002e003300)
function(check_version file expected unexpected)
  file(READ ${file} content HEX)
  string(FIND "${content}" ${expected} found)
  set(wrong -1)
  if(unexpected)
    string(FIND "${content}" ${unexpected} wrong)
  endif()
  if(found EQUAL -1 OR NOT wrong EQUAL -1)
    message(SEND_ERROR "${file}: product text with the wrong version")
  endif()
endfunction()
foreach(name lanz320.ime lanz321.ime lanz640.ime lanz641.ime setupw64.exe)
  # setupw64.exe also holds the full version's text: it is the description it
  # registers the IME with.
  if(name STREQUAL "setupw64.exe")
    check_version(${BUILD}/payload/${name} ${first_pass} "")
  else()
    check_version(${BUILD}/payload/${name} ${first_pass} ${full})
  endif()
  file(SIZE ${BUILD}/payload/${name} size)
  # The version stamp reads at most 131,072 bytes; modules stay far below.
  if(NOT name STREQUAL "setupw64.exe" AND size GREATER_EQUAL 53248)
    fail("${name} is ${size} bytes")
  endif()
endforeach()
foreach(name lanzhu4.ime lanzhu32.ime lanzhu64.ime lanzdel.exe lzqdel64.exe lanzlzsr.exe lanzznw6.exe)
  check_version(${BUILD}/payload/${name} ${full} ${first_pass})
endforeach()
check_version(${BUILD}/setup.exe ${full} ${first_pass})

# The embedded container: type LZZ, name LZSRLZZ, language 0x804, and the
# size of payload.lzz.
execute_process(COMMAND ${OBJDUMP} -p ${BUILD}/setup.exe OUTPUT_VARIABLE headers)
string(REGEX MATCH "\\]: LZZ,[^\n]*\n[^\n]*\n[^\n]*\\]: LZSRLZZ,[^\n]*\n[^\n]*\n[^\n]*ID: 0x000804,[^\n]*\n[^\n]*Size: (0x[0-9a-f]+)"
       resource "${headers}")
file(SIZE ${BUILD}/payload.lzz container_size)
if(resource STREQUAL "")
  fail("setup.exe has no resource LZZ/LZSRLZZ in language 2052")
else()
  math(EXPR resource_size "${CMAKE_MATCH_1}")
  if(NOT resource_size EQUAL container_size)
    fail("setup.exe's payload resource is ${resource_size} bytes, payload.lzz ${container_size}")
  endif()
endif()
