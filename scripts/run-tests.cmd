@echo off
rem Runs the test programs of this folder one after another (those named, else every one in
rem tests.txt): one line per program, a summary, exit code 0 only when every one passed. A test
rem that relies on Wine behaviour skips itself on Windows; those are named and counted apart.
rem Usage: run-tests.cmd [PROGRAM ...]
setlocal
cd /d "%~dp0"
if not exist logs mkdir logs
type nul > logs\wine-assumptions.txt
set passed=0
set failed=0
set wineonly=0
if not "%~1"=="" goto named
for /f %%T in (tests.txt) do call :run %%T
:summary
echo Tests that rely on Wine, skipped: %wineonly%
type logs\wine-assumptions.txt
echo programs: %passed% passed, %failed% failed
if not "%failed%"=="0" exit /b 1
rem An empty or unread list is no pass.
if "%passed%"=="0" exit /b 1
exit /b 0

:named
if "%~1"=="" goto summary
call :run %~n1
shift
goto named

rem One program, its output kept in logs\NAME.txt. Any exit code but 0 fails it, also the
rem negative ones of a crash (which "if errorlevel 1" would let pass).
:run
if not exist "%~1.exe" (
  echo FAIL %~1: no such program
  set /a failed+=1
  goto :eof
)
"%~1.exe" > "logs\%~1.txt" 2>&1
set code=%errorlevel%
if "%code%"=="0" (
  echo PASS %~1
  set /a passed+=1
) else (
  echo FAIL %~1: exit code %code%, see logs\%~1.txt
  set /a failed+=1
)
for /f "tokens=1,* delims=:" %%A in ('%SystemRoot%\system32\find.exe "Wine assumption, skipped on Windows:" ^< "logs\%~1.txt"') do (
  >> logs\wine-assumptions.txt echo   %~1:%%B
  set /a wineonly+=1
)
goto :eof
