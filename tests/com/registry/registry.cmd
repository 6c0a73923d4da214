@echo off
rem Registers or unregisters twice over, then lists the component's keys.
rem   registry.cmd register|unregister LIBRARY LISTING
set undo=/u
if "%1"=="register" set undo=
regsvr32 /s %undo% "%~2"
echo regsvr32 first: %errorlevel%
regsvr32 /s %undo% "%~2"
echo regsvr32 second: %errorlevel%
echo ######## listing
"%~3" HKCR
