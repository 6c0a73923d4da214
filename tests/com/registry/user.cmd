@echo off
rem Registration for the user; after each step, the component's keys.
rem   user.cmd LIBRARY SCRIPT LISTING
regsvr32 /s /n /i:everyone "%~1"
echo regsvr32 refused: %errorlevel%
echo ######## refused
"%~3" HKCU HKLM
regsvr32 /s /n /i:user "%~1"
echo regsvr32 user: %errorlevel%
echo ######## registered
"%~3" HKCU HKLM
rem Windows merges the user's classes into HKEY_CLASSES_ROOT; Wine does not.
reg query HKCR\TALMIRON.Expression >nul 2>&1
if errorlevel 1 (echo classes root: machine only) else cscript //nologo "%~2"
regsvr32 /s /u /n /i:user "%~1"
echo regsvr32 unregistered: %errorlevel%
echo ######## unregistered
"%~3" HKCU HKLM
