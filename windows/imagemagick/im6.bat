@echo off
rem im6.bat PROGRAM [ARGUMENTS...]: runs the machine's ImageMagick PROGRAM
rem (identify, convert) from cmd.exe under wine, with paths on drive Z:
rem turned into the machine's own spelling. wine does not wait for a Linux
rem program it starts, so im6.sh leaves the program's output and exit status
rem in files beside this one and the loop below waits for the status.
setlocal
set here=%~dp0
set here=%here:Z:\=/%
set here=%here:\=/%
set run=%here%im6-%RANDOM%
set program=/usr/bin/%~1-im6.q16
set arguments=
:next
shift
if "%~1"=="" goto run
set argument=%~1
set argument=%argument:Z:\=/%
set argument=%argument:\=/%
set arguments=%arguments% "%argument%"
goto next
:run
"%~dp0sh.elf" "%here%im6.sh" "%run%.status" "%run%.out" "%program%"%arguments%
:wait
if not exist "%run%.status" goto wait
type "%run%.out"
set /p status=<"%run%.status"
del "%run%.status" "%run%.out"
exit /b %status%
