@echo off
rem The 32-bit and the 64-bit library registered side by side on 64-bit
rem Windows, for the machine and for the current user: after both are
rem registered, one is unregistered and the other's own script host must
rem still create and use the object; then that one goes too, and reg shows
rem what is left of the component in either registry view.
rem   side_by_side.cmd LIBRARY32 LIBRARY64 SCRIPT
set library32=%~1
set library64=%~2
set script=%~3
for %%s in (machine user) do (
    call :round %%s 64 32
    call :round %%s 32 64
)
goto :eof

rem :round SCOPE FIRST SECOND
:round
echo ######## %1 %2 %3
if "%1"=="user" (
    set register=/s /n /i:user
    set unregister=/s /u /n /i:user
    set classes=HKCU\Software\Classes
) else (
    set register=/s
    set unregister=/s /u
    set classes=HKCR
)
%SystemRoot%\SysWOW64\regsvr32.exe %register% "%library32%"
echo register 32: %errorlevel%
%SystemRoot%\System32\regsvr32.exe %register% "%library64%"
echo register 64: %errorlevel%
if "%1"=="user" (
    rem Windows merges the user's classes into HKEY_CLASSES_ROOT; Wine does not.
    reg query HKCR\TALMIRON.Expression >nul 2>&1
    if errorlevel 1 echo classes root: machine only
)
call :unregister %2
echo unregister %2: %errorlevel%
call :still "%classes%\CLSID\%TALMIRON_CLASS%\InprocServer32" %3
rem Program identifiers are shared by both views, not redirected.
call :still "%classes%\TALMIRON.Expression\CLSID" shared
call :still "%classes%\TypeLib\%TALMIRON_LIBRARY%\9.0\0\win%3" %3
call :still "%classes%\Interface\%TALMIRON_INTERFACE%\TypeLib" %3
if "%3"=="32" (
    %SystemRoot%\SysWOW64\cscript.exe //nologo "%script%"
) else (
    %SystemRoot%\System32\cscript.exe //nologo "%script%"
)
call :unregister %3
echo unregister %3: %errorlevel%
for %%k in (%TALMIRON_KEYS%) do (
    call :left "%classes%\%%k" 32
    call :left "%classes%\%%k" 64
)
goto :eof

:unregister
if "%1"=="32" (
    %SystemRoot%\SysWOW64\regsvr32.exe %unregister% "%library32%"
) else (
    %SystemRoot%\System32\regsvr32.exe %unregister% "%library64%"
)
goto :eof

:still
if "%2"=="shared" (reg query "%~1" >nul 2>&1) else (reg query "%~1" /reg:%2 >nul 2>&1)
if not errorlevel 1 echo still: %~1
goto :eof

:left
reg query "%~1" /reg:%2 >nul 2>&1
if not errorlevel 1 echo left: %~1 (%2-bit view)
goto :eof
