# Reads a payload list (payload/entries.txt, payload/skin_parts.txt) for the
# build and its check scripts: sets <prefix>_NAMES to the entry names in
# order and <prefix>_<n>_FIELDS to the n-th line's fields (name, maker, args).
function(lanz_read_payload_list path prefix)
  file(STRINGS ${path} lines ENCODING UTF-8)
  set(names)
  set(index 0)
  foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*(#|$)")
      continue()
    endif()
    string(REGEX MATCHALL "[^ \t]+" fields "${line}")
    list(GET fields 0 name)
    list(APPEND names ${name})
    set(${prefix}_${index}_FIELDS ${fields} PARENT_SCOPE)
    math(EXPR index "${index} + 1")
  endforeach()
  set(${prefix}_NAMES ${names} PARENT_SCOPE)
endfunction()
