cmake_minimum_required(VERSION 3.25)
# Fails unless a Windows binary imports system DLLs only, so that it runs
# with nothing of the toolchain beside it.
#   cmake -DOBJDUMP=... -DBINARY=... -P check-imports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${BINARY} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} failed on ${BINARY}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
if(NOT lines)
    message(FATAL_ERROR "${BINARY}: no imports found")
endif()
set(system_dlls
    kernel32.dll msvcrt.dll ucrtbase.dll user32.dll advapi32.dll ole32.dll oleaut32.dll
    shell32.dll shlwapi.dll ws2_32.dll bcrypt.dll ntdll.dll)
foreach(line IN LISTS lines)
    string(REPLACE "DLL Name: " "" dll "${line}")
    string(STRIP "${dll}" dll)
    string(TOLOWER "${dll}" lower)
    if(NOT lower IN_LIST system_dlls AND NOT lower MATCHES "^api-ms-win-")
        message(FATAL_ERROR "${BINARY} imports ${dll}, which is not a system DLL")
    endif()
    message(STATUS "imports ${dll}")
endforeach()
