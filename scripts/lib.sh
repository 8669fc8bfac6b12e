# Shared set-up for scripts/run, scripts/test and scripts/bench.
# Sourced, not run. Everything it starts is recorded and ended by ledger_cleanup.

LEDGER_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
LEDGER_BUILD=${LEDGER_BUILD:-$LEDGER_ROOT/build}
export WINEPREFIX=${WINEPREFIX:-$LEDGER_BUILD/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

LEDGER_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth x11-utils
  googletest libgtest-dev libgmock-dev clang-14 libclang-rt-14-dev imagemagick fonts-liberation fonts-wine python3
  ofx libfinance-qif-perl)

_ledger_pids=()

# Each step with the minutes and seconds since the script began, so that a
# long run's printout shows where its time went.
ledger_log() { printf '== [%d:%02d] %s\n' $((SECONDS / 60)) $((SECONDS % 60)) "$*" >&2; }

# Prints, from test logs, each failed test and the assertion lines that made
# it fail, so that the end of a long run says what went wrong.
ledger_failure_summary() {
  ledger_log "what failed"
  local log
  for log in "$@"; do
    [ -f "$log" ] || continue
    {
      grep -E -A6 '(: Failure$|: error: |ERROR: AddressSanitizer|runtime error: )' "$log" | head -n 200
      grep -E '^\[  FAILED  \] [A-Za-z_0-9]+\.|\*\*\*(Failed|Timeout|Exception)' "$log" |
        sed -E 's/ \([0-9]+ ms\)$//' | sort -u
    } >&2
  done
}

# Installs what a fresh Debian machine lacks. A failed index refresh is not
# fatal (a mirror can be mid-sync); a failed install is, naming what is missing.
ledger_install() {
  local missing=() p
  for p in "${LEDGER_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Please install: ${missing[*]} (sudo apt-get install ${missing[*]})" >&2
    return 1
  fi
  ledger_log "installing ${missing[*]}"
  apt-get update -q >/dev/null 2>&1 || ledger_log "apt-get update reported a problem; trying the install anyway"
  if ! DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" >"$LEDGER_BUILD/apt.log" 2>&1; then
    cat "$LEDGER_BUILD/apt.log" >&2
    for p in "${missing[@]}"; do
      dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "missing package: $p" >&2
    done
    return 1
  fi
}

ledger_build_win() {
  cmake -S "$LEDGER_ROOT" -B "$LEDGER_BUILD/win" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$LEDGER_ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null &&
  cmake --build "$LEDGER_BUILD/win"
}

ledger_build_native() {
  CC=clang-14 CXX=clang++-14 cmake -S "$LEDGER_ROOT" -B "$LEDGER_BUILD/native" -G Ninja \
    -DCMAKE_BUILD_TYPE=Debug >/dev/null &&
  cmake --build "$LEDGER_BUILD/native"
}

# The prefix lives in the build folder. Its user folders are real folders
# inside it (a new prefix links them to the Linux home), every program runs in
# Wine's virtual desktop (no window-manager waits), and Arial maps to
# Liberation Sans.
ledger_prefix() {
  if [ ! -f "$WINEPREFIX/.ledger-ready" ]; then
    ledger_log "creating the Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    local d user_dir
    user_dir=$(ledger_user_dir)
    for d in "$user_dir"/*; do
      if [ -L "$d" ]; then rm -f "$d"; mkdir -p "$d"; fi
    done
    mkdir -p "$user_dir/Documents" "$user_dir/AppData/Roaming"
    cat >"$LEDGER_BUILD/ledger-prefix.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
    wine regedit "$LEDGER_BUILD/ledger-prefix.reg" >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.ledger-ready"
  fi
}

# Wine names the profile folder after $USER (the login name when unset).
ledger_user_dir() { echo "$WINEPREFIX/drive_c/users/${USER:-$(id -un)}"; }

# A virtual display on a free number; -displayfd tells which.
ledger_xvfb() {
  local fifo
  fifo=$(mktemp -u); mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  _ledger_pids+=($!)
  local n
  read -r -t 20 n <"$fifo" || { rm -f "$fifo"; echo "Xvfb did not start" >&2; return 1; }
  rm -f "$fifo"
  export DISPLAY=":$n"
  ledger_log "Xvfb on $DISPLAY"
}

# Keeps one wineserver up for the whole run: each program then starts fast.
# Wine's background services (services.exe, winedevice.exe, ...) start with
# the first program and live as long as the server; started here, away from
# ctest, they do not inherit a test's output pipe, which ctest would wait on
# forever.
ledger_wineserver() {
  wineserver -p >/dev/null 2>&1
  "$LEDGER_ROOT/scripts/wine-run" wineboot </dev/null >/dev/null 2>&1
}

ledger_cleanup() {
  [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] && wineserver -k >/dev/null 2>&1
  local p
  for p in "${_ledger_pids[@]}"; do kill "$p" 2>/dev/null; done
  _ledger_pids=()
}

# The end-to-end tests of paths under a Wine user whose name, and so whose
# profile folder, is written in Cyrillic (outside code page 1252): the
# program starts and makes its folders, options and sample there, creates an
# account, and exports to and imports from files named in Cyrillic. A prefix
# of its own (Wine takes the user's name from $USER when the prefix is made),
# sharing the display of the main run.
LEDGER_CYRILLIC_USER="Пользователь"
LEDGER_CYRILLIC_TESTS="FirstStartTest.MakesItsFoldersOptionsAndSampleInTheUsersProfile:CreateAccountTest.NewAccountHasItsHeaderOpeningRecordAndEmptyInformation:ExportTest.AFileNamedInCyrillicIsWrittenUnderItsName:ExportTest.CurrentViewWithoutReconciledRecords:ImportTest.AStatementNamedInCyrillicIsImported"
ledger_cyrillic_user_test() (
  export USER=$LEDGER_CYRILLIC_USER
  export WINEPREFIX="$LEDGER_BUILD/wineprefix-cyrillic"
  trap 'wineserver -k >/dev/null 2>&1' EXIT
  ledger_prefix || return 1
  [ -d "$(ledger_user_dir)/Documents" ] || { echo "no profile folder named $USER in $WINEPREFIX" >&2; return 1; }
  ledger_wineserver
  "$LEDGER_ROOT/scripts/wine-run" "$LEDGER_BUILD/win/tests/e2e/e2e_driver.exe" --unicode-profile \
    --ledgerpad="$LEDGER_BUILD/win/Ledgerpad.exe" --shots="$LEDGER_BUILD/screenshots/cyrillic" \
    --gtest_filter="$LEDGER_CYRILLIC_TESTS" --gtest_brief=1 </dev/null
)
