# Making the Windows release: the Release build, the installer and the
# portable zip. Sourced (after lib.sh) by scripts/package and scripts/test.
#
# One commit gives the same bytes every time: no link time in the exe, this
# machine's folders mapped out of it, every file packed with the commit's
# time, in a fixed order, with fixed permissions, in UTC.

LEDGER_RELEASE_PACKAGES=(nsis zip unzip git)

# The commit's time (or SOURCE_DATE_EPOCH when it is given).
ledger_release_epoch() {
  if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then echo "$SOURCE_DATE_EPOCH"; return; fi
  git -C "$LEDGER_ROOT" log -1 --format=%ct 2>/dev/null || {
    echo "not a git checkout: set SOURCE_DATE_EPOCH to the release's time" >&2
    return 1
  }
}

# ledger_release_build <build folder> <output folder>
# Builds Ledgerpad.exe (Release) in the build folder and writes
# Ledgerpad-<version>-setup.exe, Ledgerpad-<version>-win64.zip and
# SHA256SUMS to the output folder. Prints the version.
ledger_release_build() {
  local build out epoch version
  mkdir -p "$1" "$2" && build=$(cd "$1" && pwd) && out=$(cd "$2" && pwd) || return 1
  epoch=$(ledger_release_epoch) || return 1
  export SOURCE_DATE_EPOCH=$epoch TZ=UTC
  cmake -S "$LEDGER_ROOT" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$LEDGER_ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DLEDGERPAD_TESTS=OFF -DLEDGERPAD_REPRODUCIBLE=ON >/dev/null &&
  cmake --build "$build" --target Ledgerpad >&2 || return 1
  version=$(cat "$build/version.txt") || return 1

  # The files the user gets, in one folder: the installer's and the zip's.
  local name="Ledgerpad-$version" stage="$build/stage"
  rm -rf "$stage" && mkdir -p "$stage/$name" || return 1
  cp "$build/Ledgerpad.exe" "$LEDGER_ROOT/res/LedgerpadHelp.html" \
     "$LEDGER_ROOT/res/sample/SAMPLE.LPD" "$LEDGER_ROOT/res/sample/SAMPLEI.LPD" "$stage/$name/" || return 1
  cp "$LEDGER_ROOT/res/LedgerIcon.ico" "$stage/" || return 1
  chmod 0755 "$stage/$name" && chmod 0644 "$stage/$name"/* "$stage/LedgerIcon.ico" || return 1
  find "$stage" -exec touch -h -d "@$epoch" {} + || return 1

  rm -f "$out/$name-setup.exe" "$out/$name-win64.zip" "$out/SHA256SUMS"
  makensis -V2 -NOCD -DVERSION="$version" -DSTAGE="$stage/$name" -DICON="$stage/LedgerIcon.ico" \
    -DOUTFILE="$out/$name-setup.exe" "$LEDGER_ROOT/installer/ledgerpad.nsi" >&2 || return 1
  # -X: no extra fields (owner, extended times); -D: no folder entries;
  # the names in sorted order.
  (cd "$stage" && find "$name" -type f | LC_ALL=C sort | zip -X -D -q "$out/$name-win64.zip" -@) || return 1
  (cd "$out" && sha256sum "$name-setup.exe" "$name-win64.zip" >SHA256SUMS) || return 1
  echo "$version"
}

# ledger_release_test <version> <folder with the installer and the zip>
# Under Wine, in a fresh prefix of its own, as a user would: install with
# /S, check the files, the uninstall entry and the shortcuts; the installed
# program opens the sample and makes an account (the end-to-end driver);
# installing while it runs is refused; installing again replaces the program
# and keeps the account; uninstalling with /S removes the program and its
# entry and keeps the account and the options. Then the zip's program runs
# from an unpacked folder. Needs DISPLAY and the build/win driver.
ledger_release_test() (
  local version=$1 dist=$2
  local work="$LEDGER_BUILD/release-test"
  local driver="$LEDGER_BUILD/win/tests/e2e/e2e_driver.exe"
  local shots="$LEDGER_BUILD/screenshots/release"
  export WINEPREFIX="$work/wineprefix"
  [ -d "$WINEPREFIX" ] && wineserver -k >/dev/null 2>&1
  rm -rf "$work" && mkdir -p "$work" "$shots" || return 1
  trap 'wineserver -k >/dev/null 2>&1' EXIT

  local failures=0 app_pid= i
  fail() { echo "release test: $*" >&2; failures=$((failures + 1)); }
  wine_run() { "$LEDGER_ROOT/scripts/wine-run" "$@" </dev/null; }
  # The released program, run by the end-to-end driver.
  run_driver() {
    wine_run "$driver" --installed --ledgerpad="$1" --shots="$shots" \
      --gtest_filter='ReleasedProgramTest.*' --gtest_brief=1 || fail "driver on $1"
  }
  # The values of the uninstall entry; nothing when there is none (reg
  # then fails, and may say so on its output).
  uninstall_entry() {
    local values
    values=$(wine_run reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Ledgerpad' 2>/dev/null) &&
      tr -d '\r' <<<"$values"
  }
  program_listed() { wine_run winedbg --command "info proc" 2>/dev/null | grep -q "'Ledgerpad.exe'"; }
  data_sums() { (cd "$user" && sha256sum Documents/TallwoodWorks/Ledgerpad/* AppData/Roaming/TallwoodWorks/Ledgerpad/*); }

  ledger_prefix || return 1
  ledger_wineserver
  local user windows_dir='C:\Program Files\Ledgerpad'
  user=$(ledger_user_dir)
  local program_dir="$WINEPREFIX/drive_c/Program Files/Ledgerpad"
  local start_menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Ledgerpad.lnk"
  local desktop="$WINEPREFIX/drive_c/users/Public/Desktop/Ledgerpad.lnk"
  local setup="$dist/Ledgerpad-$version-setup.exe"
  local shipped="$work/shipped"
  mkdir -p "$shipped" && unzip -q "$dist/Ledgerpad-$version-win64.zip" -d "$shipped" || return 1
  shipped="$shipped/Ledgerpad-$version"

  ledger_log "release test: silent install"
  wine_run "$setup" /S || fail "the installer failed (exit $?)"
  local f
  for f in Ledgerpad.exe LedgerpadHelp.html SAMPLE.LPD SAMPLEI.LPD; do
    cmp -s "$program_dir/$f" "$shipped/$f" || fail "installed $f differs from the release's or is missing"
  done
  [ -f "$program_dir/uninst.exe" ] || fail "no uninstaller"
  [ -f "$start_menu" ] || fail "no Start menu shortcut"
  [ ! -e "$desktop" ] || fail "a desktop shortcut was made though not asked for"
  local entry line
  entry=$(uninstall_entry)
  for line in "DisplayName REG_SZ Ledgerpad" "DisplayVersion REG_SZ $version" "Publisher REG_SZ Tallwood Works" \
              "DisplayIcon REG_SZ $windows_dir\\Ledgerpad.exe,0" "NoModify REG_DWORD 0x1" "NoRepair REG_DWORD 0x1" \
              "UninstallString REG_SZ \"$windows_dir\\uninst.exe\"" \
              "QuietUninstallString REG_SZ \"$windows_dir\\uninst.exe\" /S"; do
    awk '{$1=$1; print}' <<<"$entry" | grep -qxF "$line" || fail "uninstall entry lacks: $line"
  done
  awk '{$1=$1; print}' <<<"$entry" | grep -qE '^EstimatedSize REG_DWORD 0x0*[1-9a-f][0-9a-f]*$' ||
    fail "uninstall entry has no EstimatedSize"

  ledger_log "release test: the installed program"
  run_driver "$windows_dir\\Ledgerpad.exe"
  [ -f "$user/Documents/TallwoodWorks/Ledgerpad/LEDGR1.LPD" ] || fail "no account made by the installed program"
  local sums
  sums=$(data_sums)

  ledger_log "release test: installing while the program runs"
  "$LEDGER_ROOT/scripts/wine-run" "$program_dir/Ledgerpad.exe" </dev/null >/dev/null 2>&1 &
  app_pid=$!
  # The program takes its single-instance mutex first thing, so once its
  # process is listed the installer must find it.
  for i in $(seq 1 60); do program_listed && break; sleep 0.5; done
  program_listed || fail "the installed program did not start"
  wine_run "$setup" /S
  [ $? -eq 2 ] || fail "the installer did not stop (exit 2) while Ledgerpad ran"
  kill "$app_pid" 2>/dev/null; wait "$app_pid" 2>/dev/null
  for i in $(seq 1 60); do program_listed || break; sleep 0.5; done

  ledger_log "release test: installing again over an older program"
  head -c 4096 "$shipped/Ledgerpad.exe" >"$program_dir/Ledgerpad.exe"
  wine_run "$setup" /S || fail "installing again failed (exit $?)"
  cmp -s "$program_dir/Ledgerpad.exe" "$shipped/Ledgerpad.exe" || fail "installing again did not replace the program"
  [ "$(data_sums)" = "$sums" ] || fail "installing again changed the user's files"

  ledger_log "release test: silent uninstall"
  # As the uninstall entry runs it: the uninstaller copies itself to the
  # temporary folder and returns at once; the copy removes the program
  # folder (uninst.exe too), the shortcut and the entry.
  wine_run "$program_dir/uninst.exe" /S || fail "the uninstaller failed (exit $?)"
  for i in $(seq 1 120); do
    [ ! -e "$program_dir" ] && [ ! -e "$start_menu" ] && [ -z "$(uninstall_entry)" ] && break
    sleep 0.5
  done
  [ ! -e "$program_dir" ] || fail "the program folder is still there: $(ls -A "$program_dir" | tr '\n' ' ')"
  [ ! -e "$start_menu" ] || fail "the Start menu shortcut is still there"
  [ -z "$(uninstall_entry)" ] || fail "the uninstall entry is still there"
  [ "$(data_sums)" = "$sums" ] || fail "uninstalling changed or removed the user's accounts or options"

  ledger_log "release test: the zip's program from an unpacked folder"
  run_driver "$shipped/Ledgerpad.exe"

  [ $failures -eq 0 ] && echo "release test: passed" >&2
  [ $failures -eq 0 ]
)
