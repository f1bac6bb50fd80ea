@echo off
rem Installs the screen saver for the current user: copies quimbel.scr and the
rem tunes beside it into the Windows system folder (administrator rights
rem needed there) and makes it the user's screen saver.
setlocal
set "HERE=%~dp0"
set "TARGET=%SystemRoot%\System32"
rem A 32-bit command prompt on 64-bit Windows sees SysWOW64 as System32.
set "COPYTO=%TARGET%"
if defined PROCESSOR_ARCHITEW6432 if exist "%SystemRoot%\Sysnative\" set "COPYTO=%SystemRoot%\Sysnative"

if not exist "%HERE%quimbel.scr" (
  echo quimbel.scr was not found next to this script.
  exit /b 1
)
copy /y "%HERE%quimbel.scr" "%COPYTO%\quimbel.scr" >nul
if errorlevel 1 (
  echo Could not copy quimbel.scr to %TARGET%.
  echo Right-click install.cmd and choose "Run as administrator".
  exit /b 1
)
if exist "%HERE%quimbel.mid" copy /y "%HERE%quimbel.mid" "%COPYTO%\quimbel.mid" >nul
if exist "%HERE%quimbel.wav" copy /y "%HERE%quimbel.wav" "%COPYTO%\quimbel.wav" >nul

reg add "HKCU\Control Panel\Desktop" /v SCRNSAVE.EXE /t REG_SZ /d "%TARGET%\quimbel.scr" /f >nul
reg add "HKCU\Control Panel\Desktop" /v ScreenSaveActive /t REG_SZ /d 1 /f >nul
echo quimbel.scr is installed in %TARGET% and chosen as your screen saver.
exit /b 0
