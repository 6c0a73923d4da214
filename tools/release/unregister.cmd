@echo off
rem Removes what register.cmd wrote: for the whole machine (from an
rem administrator's prompt), or with /user for the current user only.
setlocal
set options=/s /u
set scope=for the whole machine
if /i "%~1"=="/user" (
    set options=/s /u /n /i:user
    set scope=for the current user
) else if not "%~1"=="" (
    echo usage: %~nx0 [/user]
    exit /b 2
)
call "%~dp0tools.cmd"
set status=0
"%regsvr32_x86%" %options% "%~dp0x86\TALMIRON.dll"
if errorlevel 1 set status=1
if defined regsvr32_x64 (
    "%regsvr32_x64%" %options% "%~dp0x64\TALMIRON.dll"
    if errorlevel 1 set status=1
)
if %status%==0 (echo TALMIRON.Expression is unregistered %scope%.) else (echo Unregistering %scope% failed.)
exit /b %status%
