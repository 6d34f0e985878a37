@echo off
rem Stands in for the kit's rsdn.bat: records how it was called and from where.
>>rsdn-calls.txt echo %1 %2 %3
echo rsdn.bat ran for %1
