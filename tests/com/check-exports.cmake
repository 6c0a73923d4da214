# Fails unless a library exports exactly the named entry points, undecorated.
#   cmake -DOBJDUMP=... -DBINARY=... "-DEXPORTS=a;b(sorted)" -P check-exports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${BINARY} OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n([^\n]+\n)*" table "${dump}")
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\r\n]+" entries "${table}")
list(TRANSFORM entries REPLACE "^\\[ *[0-9]+\\] *([^ ]+) *$" "\\1")
list(SORT entries)
if(NOT entries STREQUAL EXPORTS)
    message(FATAL_ERROR "${BINARY} exports [${entries}], expected [${EXPORTS}]")
endif()
