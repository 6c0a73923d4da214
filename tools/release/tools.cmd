@echo off
rem Finds the regsvr32 of each bitness. On 64-bit Windows the 32-bit one is
rem in SysWOW64 and the 64-bit one in System32, which a 32-bit prompt reaches
rem as Sysnative; on 32-bit Windows there is only the one in System32.
set regsvr32_x86=%SystemRoot%\System32\regsvr32.exe
set regsvr32_x64=
if exist "%SystemRoot%\SysWOW64\regsvr32.exe" (
    set regsvr32_x86=%SystemRoot%\SysWOW64\regsvr32.exe
    set regsvr32_x64=%SystemRoot%\System32\regsvr32.exe
    if exist "%SystemRoot%\Sysnative\regsvr32.exe" set regsvr32_x64=%SystemRoot%\Sysnative\regsvr32.exe
)
