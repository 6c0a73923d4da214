cmake_minimum_required(VERSION 3.25)
# Fails unless a Windows binary imports system DLLs only, so that it runs
# with nothing of the toolchain beside it.
#   cmake -DOBJDUMP=... -DBINARY=... [-DLINK_MAP=...] -P check-imports.cmake
# Given the linker's map of the binary, it also fails when the binary takes
# any of the mathematical functions whose results must not depend on the
# platform from the platform: neither imported from a DLL nor linked in from
# the toolchain's libraries.
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

if(NOT DEFINED LINK_MAP)
    return()
endif()
set(own_functions "sin|cos|tan|atan|exp|log|pow")
set(taken)
# An import table row: address, hint, name.
string(REGEX MATCHALL "[\t ][0-9]+ +_?(${own_functions})\r?\n" imported "${dump}")
foreach(row IN LISTS imported)
    string(REGEX REPLACE ".* _?([a-z]+)\r?\n$" "\\1" name "${row}")
    list(APPEND taken "${name} (imported)")
endforeach()
# The map lists each archive member the linker took, followed by the object
# that needed it and, in parentheses, the symbol it needed.
file(STRINGS ${LINK_MAP} map_lines)
set(in_members FALSE)
set(member "")
foreach(line IN LISTS map_lines)
    if(line MATCHES "^Archive member included")
        set(in_members TRUE)
    elseif(in_members AND line MATCHES "^[A-Z][a-z]")
        break()
    elseif(in_members)
        # The library's file name and the member are enough to name it.
        if(line MATCHES "^([^ \t]+)")
            string(REGEX REPLACE "^.*/" "" member "${CMAKE_MATCH_1}")
        endif()
        if(line MATCHES "\\(_?(${own_functions})\\)$")
            list(APPEND taken "${CMAKE_MATCH_1} (from ${member})")
        endif()
    endif()
endforeach()
if(NOT in_members)
    message(FATAL_ERROR "${LINK_MAP} lists no archive members")
endif()
if(taken)
    list(JOIN taken "\n  " taken)
    message(FATAL_ERROR "${BINARY} takes from the platform:\n  ${taken}")
endif()
