@echo off
rem im6.bat PROGRAM [ARGUMENTS...]: runs the machine's ImageMagick PROGRAM
rem (identify, convert) from cmd.exe under wine, with paths on drive Z:
rem turned into the machine's own spelling. wine does not wait for a Linux
rem program it starts, so im6.sh leaves the program's output and exit status
rem in files beside this one and the loop below waits for the status.
rem %RANDOM% repeats in cmd.exe processes started within the same second,
rem so a run takes a name that no file has yet: a leftover status file of
rem the same name would end the wait before the program has run.
setlocal
set folder=%~dp0
set here=%folder:Z:\=/%
set here=%here:\=/%
set /a attempt=0
:name
set /a attempt+=1
set name=im6-%RANDOM%-%attempt%
if exist "%folder%%name%.status" goto name
if exist "%folder%%name%.out" goto name
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
"%~dp0sh.elf" "%here%im6.sh" "%here%%name%.status" "%here%%name%.out" "%program%"%arguments%
:wait
if not exist "%folder%%name%.status" goto wait
type "%folder%%name%.out"
set /p status=<"%folder%%name%.status"
rem Windows spellings: wine's del takes a leading / for a switch.
del "%folder%%name%.status" "%folder%%name%.out"
exit /b %status%
