@echo off
rem Registers TALMIRON.dll of this folder: for the whole machine (run it from
rem an administrator's prompt), or with /user for the current user only.
rem On 64-bit Windows both builds are registered, each with the regsvr32 of
rem its own bitness.
setlocal
set options=/s
set scope=for the whole machine
if /i "%~1"=="/user" (
    set options=/s /n /i:user
    set scope=for the current user
) else if not "%~1"=="" (
    echo usage: %~nx0 [/user]
    exit /b 2
)
call "%~dp0tools.cmd"
"%regsvr32_x86%" %options% "%~dp0x86\TALMIRON.dll"
if errorlevel 1 goto failed
if defined regsvr32_x64 (
    "%regsvr32_x64%" %options% "%~dp0x64\TALMIRON.dll"
    if errorlevel 1 goto failed
)
echo TALMIRON.Expression is registered %scope%.
exit /b 0
:failed
echo Registration %scope% failed (for the whole machine, run this as an administrator).
exit /b 1
