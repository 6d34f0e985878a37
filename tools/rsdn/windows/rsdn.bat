@echo off
rem rsdn.bat for the Windows plug-in folder. The exporter runs it in the
rem export folder as
rem     rsdn.bat BASENAME 1.0 MODE
rem (MODE 1: make the TMD file and start NO$PSX, 0: the TMD file only). The
rem base name is not quoted, so a name with spaces arrives as several words;
rem the last two arguments are always the scale and the mode.
rem
rem The TMD file is made by the development kit's own converter when
rem GANNET_KIT_CONVERTER holds its full path (GANNET_KIT_OPTIONS, if set,
rem goes before the file names; adjust the line at :kit to what your kit
rem takes), otherwise by rsd2tmd.exe beside this file. NO$PSX is started
rem from GANNET_NOPSX, its full path, when set.
rem
rem The exporter runs this file in a hidden window and discards what it
rem prints, so everything it says also goes to rsdn.log in the export folder
rem (and to the file GANNET_HOST_REPORT names, when a host names one), and a
rem failure opens a window of its own that shows rsdn.log until it is closed.
rem
rem Paths appear only outside parenthesised blocks: a folder such as
rem "Program Files (x86)" would end such a block early.
setlocal
set "here=%~dp0"
call :convert %* > rsdn.log 2>&1
set "status=%errorlevel%"
type rsdn.log
if defined GANNET_HOST_REPORT type rsdn.log >> "%GANNET_HOST_REPORT%"
if not "%status%"=="0" start "rsdn.bat: %CD%\rsdn.log" cmd /k type "%CD%\rsdn.log"
exit /b %status%

:convert
if "%~3"=="" goto usage
set "base=%~1"
shift
:join
if "%~3"=="" goto joined
set "base=%base% %~1"
shift
goto join
:joined
set "scale=%~1"
set "mode=%~2"

echo rsdn: model %base%, scale %scale%, mode %mode%, in %CD%
if not exist "%base%.rsd" goto no_model

if not defined GANNET_KIT_CONVERTER goto own
if not exist "%GANNET_KIT_CONVERTER%" goto own
:kit
"%GANNET_KIT_CONVERTER%" %GANNET_KIT_OPTIONS% -o "%base%.tmd" "%base%.rsd"
if errorlevel 1 goto failed
goto converted

:own
if not exist "%here%rsd2tmd.exe" goto no_converter
"%here%rsd2tmd.exe" -o "%base%.tmd" -s %scale% -- "%base%.rsd"
if errorlevel 1 goto failed

:converted
echo rsdn: converted %base%.rsd to %base%.tmd at scale %scale%
if not "%mode%"=="1" goto tmd_only
if not defined GANNET_NOPSX goto no_emulator
start "" "%GANNET_NOPSX%"
exit /b 0

:tmd_only
echo rsdn: TMD only, the emulator is not started
exit /b 0

:no_emulator
echo rsdn: GANNET_NOPSX is not set, NO$PSX is not started
exit /b 0

:usage
echo ERROR: usage: rsdn.bat BASENAME SCALE MODE
exit /b 2

:no_model
echo ERROR: %base%.rsd not found in %CD%
exit /b 1

:no_converter
echo ERROR: rsd2tmd.exe not found in %here%
exit /b 1

:failed
echo ERROR: %base%.rsd was not converted
exit /b 1
