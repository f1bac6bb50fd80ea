@echo off
rem Removes the screen saver: its files, the choice of it as the user's
rem screen saver, and its stored settings.
rem   uninstall.cmd          the copy that install.cmd made for this user
rem   uninstall.cmd /system  the copy in the Windows system folder (from a
rem                          prompt run as administrator)
setlocal
if /i "%~1"=="/system" goto system
if not "%~1"=="" (
  echo Usage: uninstall.cmd [/system]
  exit /b 2
)
if not defined LOCALAPPDATA set "LOCALAPPDATA=%USERPROFILE%\Local Settings\Application Data"
set "TARGET=%LOCALAPPDATA%\Programs\quimbel"
set "FROM=%TARGET%"
goto choice

:system
set "TARGET=%SystemRoot%\System32"
set "FROM=%TARGET%"
rem A 32-bit prompt on 64-bit Windows reaches the real System32 as Sysnative.
if exist "%SystemRoot%\Sysnative\cmd.exe" set "FROM=%SystemRoot%\Sysnative"

:choice
rem Only when this copy is the chosen screen saver is the choice undone.
set "CURRENT="
for /f "tokens=2,*" %%a in ('reg query "HKCU\Control Panel\Desktop" /v SCRNSAVE.EXE 2^>nul') do set "CURRENT=%%b"
if /i "%CURRENT%"=="%TARGET%\quimbel.scr" (
  reg delete "HKCU\Control Panel\Desktop" /v SCRNSAVE.EXE /f >nul
  reg add "HKCU\Control Panel\Desktop" /v ScreenSaveActive /t REG_SZ /d 0 /f >nul
)
reg delete "HKCU\Software\VB and VBA Program Settings\SetupQor" /f >nul 2>nul

if exist "%FROM%\quimbel.scr" del /f "%FROM%\quimbel.scr"
if exist "%FROM%\quimbel.scr" goto failed
for %%t in (quimbel.mid quimbel.wav) do (
  if exist "%FROM%\%%t" del /f "%FROM%\%%t"
)
rem The folder of a per-user copy goes too, if nothing else lies in it.
if /i not "%~1"=="/system" if exist "%FROM%\" rd "%FROM%" 2>nul
echo quimbel.scr is removed from %TARGET%.
exit /b 0

:failed
echo Could not remove %TARGET%\quimbel.scr.
if /i "%~1"=="/system" echo Run uninstall.cmd /system from a command prompt run as administrator.
exit /b 1
