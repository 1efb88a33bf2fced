#!/bin/sh
# Makes what an outside user gets, in a fresh directory, then has package_test watch it run.
#   hello, form, tasks: installs the tree into a new prefix (with the API reference) and
#          builds that example against it alone, naming no build type.
#   dist:  writes the Windows download and unpacks it.
# Usage: package_test.sh hello|form|tasks|dist BUILD_DIR PACKAGE_TEST_EXE
set -e
made=$1 build=$2 test=$3
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# examples/NAME built against a fresh install: its program is $work/NAME/NAME.exe.
example() {
  cmake --install "$build" --prefix "$work/prefix" >/dev/null
  cmake -S "$root/examples/$1" -B "$work/$1" -DCMAKE_PREFIX_PATH="$work/prefix" \
    -DCMAKE_TOOLCHAIN_FILE="$work/prefix/lib/cmake/AmicableRuntime/toolchain-i686-mingw.cmake" \
    >/dev/null
  cmake --build "$work/$1" >/dev/null
  # No build type named: the helper still optimises the program.
  grep -q -- -O2 "$work/$1/CMakeFiles/$1.dir/flags.make" ||
    { echo "$1.exe was compiled without optimisation" >&2; exit 1; }
  [ -f "$work/prefix/share/doc/AmicableRuntime/api.md" ] ||
    { echo "the package has no API reference" >&2; exit 1; }
  # Every header a program may include is in the package, whichever example uses it.
  for header in "$root"/runtime/*.h "$root"/window/*.h "$root"/gadget/*.h; do
    name=$(basename "$(dirname "$header")")/$(basename "$header")
    [ -f "$work/prefix/include/$name" ] || { echo "the package lacks $name" >&2; exit 1; }
  done
}

case $made in
hello)
  example hello
  HELLO_EXE="$work/hello/hello.exe" "$root/scripts/wine-run" "$test" --gtest_filter='HelloProgram.*'
  ;;
form)
  example form
  FORM_EXE="$work/form/form.exe" "$root/scripts/wine-run" "$test" --gtest_filter='FormProgram.*'
  ;;
tasks)
  example tasks
  TASKS_EXE="$work/tasks/tasks.exe" "$root/scripts/wine-run" "$test" --gtest_filter='TasksProgram.*'
  ;;
dist)
  "$root/scripts/dist.sh" "$build" "$work" >/dev/null
  unzip -q "$work"/amicable-win32.zip -d "$work/unpacked"
  DIST_DIR="$work/unpacked/amicable" "$root/scripts/wine-run" "$test" --gtest_filter='DistPrograms.*'
  ;;
*) echo "usage: package_test.sh hello|form|tasks|dist BUILD_DIR PACKAGE_TEST_EXE" >&2; exit 2 ;;
esac
