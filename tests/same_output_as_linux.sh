#!/usr/bin/env bash
# logger.csv from logger2csv.exe must be byte for byte the Linux build's, and
# its console lines the same but for CR LF line ends.
# Usage: same_output_as_linux.sh LINUX_BUILD_DIR RUNNER WINDOWS_EXE
set -euo pipefail
linux_build=$1 runner=$2 windows_exe=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

check() {  # NAME: converts $work/NAME/logger.bin with both builds
  local dir=$work/$1
  mkdir -p "$dir/linux" "$dir/windows"
  cp "$dir/logger.bin" "$dir/linux/"
  cp "$dir/logger.bin" "$dir/windows/"
  (cd "$dir/linux" && "$linux_build/logger2csv" >console.txt)
  (cd "$dir/windows" && "$runner" "$windows_exe" >console.txt)
  sed 's/$/\r/' "$dir/linux/console.txt" >"$dir/linux/console-crlf.txt"
  cmp "$dir/linux/logger.csv" "$dir/windows/logger.csv"
  cmp "$dir/linux/console-crlf.txt" "$dir/windows/console.txt"
  echo "$1: $(wc -l <"$dir/windows/logger.csv") identical rows, $(wc -l <"$dir/windows/console.txt") console lines"
}

mkdir -p "$work/example" "$work/random" "$work/noise"
"$linux_build/make_logger_bin" example "$work/example/logger.bin"
check example
"$linux_build/make_logger_bin" random "$work/random/logger.bin" 3000 11
check random
"$linux_build/make_logger_bin" noise "$work/noise/logger.bin" 3000 11
check noise
