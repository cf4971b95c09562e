# Running the Windows programs under Wine: private prefixes under build/, Wine's own messages
# kept in build/wine-logs/ (their tail printed when a step fails), and the probe that tells
# whether this machine runs 32-bit programs at all.

export WINEDEBUG=-all
# No desktop integration or Mono/Gecko prompts in the private prefixes.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
wine_logs=$PWD/build/wine-logs
mkdir -p "$wine_logs"

# Prints the last lines of a log, framed, for a step that failed.
show_log_tail() {
  local log=$1
  [ -s "$log" ] || return 0
  echo "--- last lines of $log ---"
  tail -n 40 "$log"
  echo "--- end of $log ---"
}

# Succeeds when this machine runs 32-bit programs; otherwise prints why not. Setting
# K72645_NO_32BIT=1 makes it answer no, so that the skip path can be tried on any machine.
# The 32-bit Wine loader is itself a 32-bit program: a kernel without IA-32 support refuses it
# with "Exec format error".
probe_32bit() {
  if [ "${K72645_NO_32BIT:-}" = 1 ]; then
    echo "K72645_NO_32BIT=1 says this machine runs no 32-bit programs"
    return 1
  fi
  local loader=/usr/lib/wine/wine output
  if [ ! -e "$loader" ]; then
    echo "the 32-bit Wine loader ($loader) is not installed"
    return 1
  fi
  # Started by bash, which reports a binary the kernel refuses as such (execvp would hand
  # it to /bin/sh as a script and report a syntax error instead).
  if ! output=$(timeout 60 bash -c '"$0" --version' "$loader" 2>&1); then
    echo "this machine cannot run 32-bit programs: the 32-bit Wine loader fails to start" \
      "(\"$(echo "$output" | tail -n 1 | sed 's/^.*: cannot execute/cannot execute/')\")"
    return 1
  fi
}

# use_prefix ARCH (win32 or win64): selects the private prefix and its Wine loader, creating the
# prefix on first use with Wine's null display driver (the tests need windows but no X display).
# The loader is named, never left to Debian's "wine" wrapper: that wrapper picks the 32-bit
# loader whenever it is installed, so on a machine without IA-32 support even 64-bit programs
# would fail with "Exec format error".
use_prefix() {
  local arch=$1 log="$wine_logs/prefix-$1.log"
  export WINEPREFIX="$PWD/build/wine-$arch" WINEARCH="$arch"
  if [ "$arch" = win64 ]; then WINELOADER=/usr/lib/wine/wine64; else WINELOADER=/usr/lib/wine/wine; fi
  export WINELOADER
  [ -f "$WINEPREFIX/system.reg" ] && [ -f "$WINEPREFIX/.k72645-ready" ] && return 0
  local started=$SECONDS status=0
  {
    WINEDEBUG=err+all timeout 300 "$WINELOADER" wineboot -i &&
      timeout 60 "$WINELOADER" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f &&
      timeout 60 wineserver -w
  } >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    echo "creating the Wine prefix $arch failed (exit status $status)"
    show_log_tail "$log"
    return "$status"
  fi
  touch "$WINEPREFIX/.k72645-ready"
  echo "Wine prefix $arch ready in $((SECONDS - started)) s (log $log)"
}

# in_wine ARCH LOG_NAME TIMEOUT PROGRAM ARGS...: runs a Windows program in the prefix of ARCH,
# its output shown and kept in build/wine-logs/LOG_NAME.log; on failure, the log's tail (with
# Wine's own error messages) is printed. Wine's server is stopped afterwards.
in_wine() {
  local arch=$1 name=$2 limit=$3 log="$wine_logs/$2.log" status=0
  shift 3
  use_prefix "$arch" || return 1
  # The program's output is shown and kept; Wine's messages (on its standard error) are kept.
  WINEDEBUG=err+all timeout "$limit" "$WINELOADER" "$@" 2>"$log.stderr" | tee "$log" || status=$?
  # The session ends before the next one starts: a wineserver still going down when the next
  # program starts can leave that program without its desktop (explorer fails to start, and no
  # window can be created).
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  timeout 30 wineserver -w >/dev/null 2>&1 || true
  { echo "--- standard error and Wine's messages ---"; cat "$log.stderr"; } >>"$log"
  rm -f "$log.stderr"
  if [ "$status" -ne 0 ]; then
    echo "$name failed under Wine (exit status $status)"
    show_log_tail "$log"
  fi
  return "$status"
}
