# Checks that payload.lzz holds the listed entries in order with the sizes,
# shapes and version texts the installer relies on, inside setup.exe.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/LanzPayloadList.cmake)
lanz_read_payload_list(${ENTRIES} ENTRY)
set(payload ${BUILD}/payload)

execute_process(COMMAND ${LZZ} list ${BUILD}/payload.lzz OUTPUT_VARIABLE listing RESULT_VARIABLE status)
string(REGEX REPLACE " [^\n]*\n" ";" listed "${listing}")
list(LENGTH ENTRY_NAMES count)
if(NOT status EQUAL 0 OR NOT count EQUAL 79 OR NOT "${listed}" STREQUAL "${ENTRY_NAMES};")
  message(SEND_ERROR "payload.lzz (lzz list: ${status}) lists ${listed}, not the 79 of entries.txt")
endif()
# A payload copy of these would overwrite the user's addresses or fail the
# check of installed files once the installer has written its own.
set(written "lanzcyzk\\.lzu|lanzpyck\\.lzu|wbpybz\\.lzh|lznetsj\\.dat|lanzback\\.lzz|lanzpath\\.lzh")
if(listing MATCHES "(^|\n)(${written}) ")
  message(SEND_ERROR "the payload carries ${CMAKE_MATCH_2}, which the installer writes")
endif()

# About 4.8 MiB in all; no entry beyond the installer's 2 MiB work buffer,
# no skin beyond the 128 KiB it reads of one; settings records of 200 bytes.
set(total 0)
foreach(name IN LISTS ENTRY_NAMES)
  file(SIZE ${payload}/${name} size)
  math(EXPR total "${total} + ${size}")
  if(size GREATER 2097152 OR (name MATCHES "\\.lzz$" AND size GREATER_EQUAL 131072) OR
     (name MATCHES "^lzszsj" AND NOT size EQUAL 200))
    message(SEND_ERROR "${name} is ${size} bytes")
  endif()
endforeach()
if(total LESS 4718592 OR total GREATER 5347737)
  message(SEND_ERROR "payload files total ${total} bytes, not about 4.8 MiB")
endif()
# The splash: 401 x 310 pixels, bottom-up, 24 bits, uncompressed, rows padded to four bytes.
file(READ ${payload}/lzsr1.bmp splash LIMIT 34 HEX)
if(NOT splash STREQUAL "424d2eb2050000000000360000002800000091010000360100000100180000000000")
  message(SEND_ERROR "lzsr1.bmp's headers are ${splash}")
endif()

# Version texts: "智能岚舟输入平台" in UTF-16LE, then two blanks and 6.3 or 7.3.
set(product 7a66fd809a5c1f82938f6551735ef053)
set(first_pass ${product}2000200036002e003300)
set(full ${product}2000200037002e003300)
function(check_version file expected unexpected)
  file(READ ${file} content HEX)
  string(FIND "${content}" ${expected} found)
  string(FIND "${content}" "${unexpected}" wrong)
  if(found EQUAL -1 OR (unexpected AND NOT wrong EQUAL -1))
    message(SEND_ERROR "${file}: product text with the wrong version")
  endif()
endfunction()
foreach(name lanz320.ime lanz321.ime lanz640.ime lanz641.ime)
  check_version(${payload}/${name} ${first_pass} ${full})
  # The version stamp reads at most 131,072 bytes; modules stay far below.
  file(SIZE ${payload}/${name} size)
  if(size GREATER_EQUAL 53248)
    message(SEND_ERROR "${name} is ${size} bytes")
  endif()
endforeach()
# setupw64.exe also holds the full version's text: it registers the IME with it.
check_version(${payload}/setupw64.exe ${first_pass} "")
foreach(file lanzhu4.ime lanzhu32.ime lanzhu64.ime lanzdel.exe lzqdel64.exe lanzlzsr.exe lanzznw6.exe ../setup.exe)
  check_version(${payload}/${file} ${full} ${first_pass})
endforeach()

# The embedded container: type LZZ, name LZSRLZZ, language 0x804, the size of payload.lzz.
execute_process(COMMAND ${OBJDUMP} -p ${BUILD}/setup.exe OUTPUT_VARIABLE headers)
string(REGEX MATCH "\\]: LZZ,[^\n]*\n[^\n]*\n[^\n]*\\]: LZSRLZZ,[^\n]*\n[^\n]*\n[^\n]*ID: 0x000804,[^\n]*\n[^\n]*Size: (0x[0-9a-f]+)"
       resource "${headers}")
file(SIZE ${BUILD}/payload.lzz container_size)
if(resource)
  math(EXPR resource_size "${CMAKE_MATCH_1}")
endif()
if(NOT resource OR NOT resource_size EQUAL container_size)
  message(SEND_ERROR "setup.exe's payload resource LZZ/LZSRLZZ/2052 is ${resource_size} bytes, payload.lzz ${container_size}")
endif()
