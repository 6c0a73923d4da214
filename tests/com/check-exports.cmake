# Fails unless a library exports exactly the named entry points, undecorated.
#   cmake -DOBJDUMP=... -DBINARY=... "-DEXPORTS=a;b" -P check-exports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${BINARY} OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n([^\n]+\n)*" table "${dump}")
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\r\n]+" entries "${table}")
list(TRANSFORM entries REPLACE "^\\[ *[0-9]+\\] *([^ ]+) *$" "\\1")
list(SORT entries)
set(expected ${EXPORTS})
list(SORT expected)
if(NOT entries STREQUAL expected)
    message(FATAL_ERROR "${BINARY} exports [${entries}], expected [${expected}]")
endif()
