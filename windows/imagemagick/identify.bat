@call "%~dp0im6.bat" identify %*
