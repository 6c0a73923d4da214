@echo off
rem Registers or unregisters a library twice over (both must be repeatable),
rem then lists the keys named in TALMIRON_KEYS, or that they are absent.
rem   registry.cmd register|unregister LIBRARY LISTING
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
"%~3" %TALMIRON_KEYS%
goto :eof

:status
echo regsvr32 %1: %errorlevel%
goto :eof
