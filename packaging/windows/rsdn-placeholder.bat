@echo off
rem rsdn.bat, run by Gannet.mcp in the folder of an exported model as
rem   rsdn.bat NAME 1.0 MODE
rem (MODE 1: make the TMD files and start NO$PSX, 0: TMD files only).
rem
rem This is a placeholder: replace it with the rsdn.bat of your PlayStation
rem kit set-up, which converts NAME.rsd to NAME.tmd.
echo ERROR: rsdn.bat is a placeholder; put your kit's rsdn.bat in the plug-in folder
exit /b 1
