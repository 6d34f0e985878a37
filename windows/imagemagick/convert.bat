@call "%~dp0im6.bat" convert %*
