@echo off
rem Registers or unregisters a library twice over (both must be repeatable),
rem then shows the values of each key given, or that it is absent.
rem   registry.cmd register|unregister LIBRARY KEY...
if "%1"=="register" (
    regsvr32 /s "%~2"
    call :status first
    regsvr32 /s "%~2"
    call :status second
) else (
    regsvr32 /s /u "%~2"
    call :status first
    regsvr32 /s /u "%~2"
    call :status second
)
shift
shift
:next
if "%~1"=="" goto :eof
echo ==== %~1
reg query "%~1" /s
if errorlevel 1 echo ==== absent
shift
goto next

:status
echo regsvr32 %1: %errorlevel%
goto :eof
