@echo off
rem Makes quimbel the screen saver of the current user.
rem   install.cmd          copies quimbel.scr and the tunes beside it into
rem                        %LOCALAPPDATA%\Programs\quimbel: no administrator
rem                        rights needed, nothing redirected.
rem   install.cmd /system  copies them into the Windows system folder, for
rem                        every user (from a prompt run as administrator).
setlocal
set "HERE=%~dp0"
if not exist "%HERE%quimbel.scr" (
  echo quimbel.scr was not found next to this script.
  exit /b 1
)

if /i "%~1"=="/system" goto system
if not "%~1"=="" (
  echo Usage: install.cmd [/system]
  exit /b 2
)
if not defined LOCALAPPDATA set "LOCALAPPDATA=%USERPROFILE%\Local Settings\Application Data"
set "TARGET=%LOCALAPPDATA%\Programs\quimbel"
set "COPYTO=%TARGET%"
if not exist "%TARGET%\" mkdir "%TARGET%"
goto copy

:system
set "TARGET=%SystemRoot%\System32"
set "COPYTO=%TARGET%"
rem A 32-bit prompt on 64-bit Windows sees SysWOW64 under the name System32;
rem the screen-saver settings look in the real one, which it reaches as
rem Sysnative (a name that only its files answer to, not the folder itself).
if exist "%SystemRoot%\Sysnative\cmd.exe" set "COPYTO=%SystemRoot%\Sysnative"

:copy
copy /y "%HERE%quimbel.scr" "%COPYTO%\quimbel.scr" >nul
if errorlevel 1 goto failed
for %%t in (quimbel.mid quimbel.wav) do (
  if exist "%HERE%%%t" copy /y "%HERE%%%t" "%COPYTO%\%%t" >nul
)
rem The file the settings will name must be there, seen as Windows sees it.
if not exist "%COPYTO%\quimbel.scr" goto failed

reg add "HKCU\Control Panel\Desktop" /v SCRNSAVE.EXE /t REG_SZ /d "%TARGET%\quimbel.scr" /f >nul
if errorlevel 1 (
  echo Could not choose quimbel as your screen saver.
  exit /b 1
)
reg add "HKCU\Control Panel\Desktop" /v ScreenSaveActive /t REG_SZ /d 1 /f >nul
echo quimbel.scr is installed in %TARGET% and chosen as your screen saver.
exit /b 0

:failed
echo Could not copy quimbel.scr to %TARGET%.
if /i "%~1"=="/system" echo Run install.cmd /system from a command prompt run as administrator.
exit /b 1
