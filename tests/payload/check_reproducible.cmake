# Checks that a second, clean build in fresh folders gives every payload
# entry and payload.lzz byte for byte as the build made them.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/LanzPayloadList.cmake)
lanz_read_payload_list(${SOURCE}/payload/entries.txt ENTRY)

file(REMOVE_RECURSE ${WORK})
# The presets' settings, in folders of the check's own.
function(build_again preset dir target)
  execute_process(COMMAND ${CMAKE_COMMAND} --preset ${preset} -S ${SOURCE} -B ${WORK}/${dir}
                          -DLANZ_TESTS=OFF -DLANZ_WIN64_BUILD=${WORK}/win64 COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK}/${dir} -j 2 --target ${target}
                  COMMAND_ERROR_IS_FATAL ANY)
endfunction()
build_again(windows64 win64 all)
build_again(windows win32 payload)

foreach(name IN LISTS ENTRY_NAMES ITEMS ../payload.lzz)
  file(SHA256 ${WORK}/win32/payload/${name} again)
  file(SHA256 ${BUILD}/payload/${name} built)
  if(NOT again STREQUAL built)
    message(SEND_ERROR "${name} differs in a second, clean build")
  endif()
endforeach()
