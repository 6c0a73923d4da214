@echo off
rem Registration for the current user: a refused command line, registering,
rem a script host that creates the object, and unregistering. After each
rem step reg shows the keys named in TALMIRON_KEYS under the user's and the
rem machine's classes, or that they are absent.
rem   user.cmd LIBRARY SCRIPT
regsvr32 /s /n /i:everyone "%~1"
echo regsvr32 refused: %errorlevel%
call :list refused
regsvr32 /s /n /i:user "%~1"
echo regsvr32 user: %errorlevel%
call :list registered
rem Windows merges the user's classes into HKEY_CLASSES_ROOT; Wine does not.
reg query HKCR\TALMIRON.Expression >nul 2>&1
if errorlevel 1 (echo classes root: machine only) else cscript //nologo "%~2"
regsvr32 /s /u /n /i:user "%~1"
echo regsvr32 unregistered: %errorlevel%
call :list unregistered
goto :eof

:list
echo ######## %1
for %%k in (%TALMIRON_KEYS%) do (
    call :query "HKCU\Software\Classes\%%k"
    call :query "HKLM\Software\Classes\%%k"
)
goto :eof

:query
echo ==== %~1
reg query "%~1" /s
if errorlevel 1 echo ==== absent
goto :eof
