@echo off
rem Removes the screen saver: the files in the Windows system folder
rem (administrator rights needed there), the choice of it as the user's
rem screen saver, and its stored settings.
setlocal
set "TARGET=%SystemRoot%\System32"
if defined PROCESSOR_ARCHITEW6432 if exist "%SystemRoot%\Sysnative\" set "TARGET=%SystemRoot%\Sysnative"

rem Only when quimbel is the chosen screen saver is the choice undone.
set "CURRENT="
for /f "tokens=2,*" %%a in ('reg query "HKCU\Control Panel\Desktop" /v SCRNSAVE.EXE 2^>nul') do set "CURRENT=%%b"
if /i "%CURRENT:~-11%"=="quimbel.scr" (
  reg delete "HKCU\Control Panel\Desktop" /v SCRNSAVE.EXE /f >nul
  reg add "HKCU\Control Panel\Desktop" /v ScreenSaveActive /t REG_SZ /d 0 /f >nul
)
reg delete "HKCU\Software\VB and VBA Program Settings\SetupQor" /f >nul 2>nul

if exist "%TARGET%\quimbel.scr" del /f "%TARGET%\quimbel.scr"
if exist "%TARGET%\quimbel.scr" (
  echo Could not remove %TARGET%\quimbel.scr.
  echo Right-click uninstall.cmd and choose "Run as administrator".
  exit /b 1
)
if exist "%TARGET%\quimbel.mid" del /f "%TARGET%\quimbel.mid"
if exist "%TARGET%\quimbel.wav" del /f "%TARGET%\quimbel.wav"
echo quimbel.scr is removed.
exit /b 0
