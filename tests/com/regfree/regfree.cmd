@echo off
rem Shows each key named in TALMIRON_KEYS that exists in either registry
rem view, then runs the registration-free client.
rem   regfree.cmd CLIENT
for %%k in (%TALMIRON_KEYS%) do (
    call :registered "%%k" 32
    call :registered "%%k" 64
)
"%~1"
echo client: %errorlevel%
goto :eof

:registered
reg query "%~1" /reg:%2 >nul 2>&1
if not errorlevel 1 echo registered: %~1 (%2-bit view)
goto :eof
