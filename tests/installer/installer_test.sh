#!/usr/bin/env bash
# The installer as a user meets it, under Wine in a fresh prefix here and on
# a real Windows desktop in the workflow (Git Bash): a silent install, the
# command window opened by the installed launcher beside the CAD stand-in
# and a command sent to it, an install and an uninstall refused while the
# window is open, an upgrade that keeps the edited aliases, an uninstall
# that keeps the user's files, and /PURGE.
#   installer_test.sh <release folder> <bin folder> <work folder>
# The release folder holds the setup and installer-test.env; the bin folder
# the stand-in and the demo driver. Needs a desktop (under Wine an X display:
# scripts/with-wine.sh gives one). The work folder is emptied first; under
# Wine it holds the prefix and a throwaway HOME, since Wine links the
# prefix's Desktop into HOME.
set -uo pipefail
release=$(cd "$1" && pwd) bin=$(cd "$2" && pwd) work=$3
setup=$release/$(sed -n 's/^setup=//p' "$release/installer-test.env" | tr -d '\r')
version=$(sed -n 's/^version=//p' "$release/installer-test.env" | tr -d '\r')
publisher=$(sed -n 's/^publisher=//p' "$release/installer-test.env" | tr -d '\r')
product_code=$(sed -n 's/^product_code=//p' "$release/installer-test.env" | tr -d '\r')
# IT installs with the package manager manifest's switch.
silent=$(sed -n 's/^  Silent: "\(.*\)"$/\1/p' "$release"/winget/*.installer.yaml | tr -d '\r')
rm -rf "$work"
mkdir -p "$work/home"
work=$(cd "$work" && pwd)
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\'$product_code

case "$(uname -s)" in
MINGW* | MSYS* | CYGWIN*)
    # Arguments such as /S must reach the programs as they are.
    export MSYS_NO_PATHCONV=1 MSYS2_ARG_CONV_EXCL='*'
    run=()
    trap 'taskkill /F /IM cad-standin.exe /IM zantoli.exe >/dev/null 2>&1' EXIT
    to_win() { cygpath -w "$1"; }
    app_win=$LOCALAPPDATA'\Programs\Zantoli'
    app=$(cygpath -u "$app_win")
    start_menu_lnk="$(cygpath -u "$APPDATA")/Microsoft/Windows/Start Menu/Programs/Zantoli.lnk"
    desktop_lnk=$(cygpath -u "$(powershell -NoProfile -Command "[Environment]::GetFolderPath('Desktop')" | tr -d '\r')")/Zantoli.lnk
    # Until the programs started last have ended (the uninstaller goes on
    # as a copy in Temp, Au_.exe).
    settle() {
        for _ in $(seq 600); do
            tasklist 2>/dev/null | grep -qiE '^(Au_|desinstalar|zantoli)\.exe' || return 0
            sleep 0.1
        done
    }
    ;;
*)
    export WINEPREFIX=$work/prefix HOME=$work/home WINEARCH=win64 WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    export PATH="/usr/lib/wine:$PATH"
    trap 'wineserver -k >/dev/null 2>&1' EXIT
    run=(wine64)
    to_win() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }
    user_win='C:\users\'$(id -un)
    app_win=$user_win'\AppData\Local\Programs\Zantoli'
    user_dir=$WINEPREFIX/drive_c/users/$(id -un)
    app=$user_dir/AppData/Local/Programs/Zantoli
    start_menu_lnk="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Zantoli.lnk"
    desktop_lnk=$user_dir/Desktop/Zantoli.lnk
    settle() { wineserver -w; }
    ;;
esac
python=$(command -v python3 || command -v python)

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
win_run() { "${run[@]}" "$@" </dev/null >/dev/null 2>&1; }
driver() { "${run[@]}" "$bin/zantoli-demo-driver.exe" "$@" </dev/null; }
expect_rc() { # expect_rc <expected> <what> <command...>
    local expected=$1 what=$2
    shift 2
    "$@"
    local rc=$?
    [ "$rc" -eq "$expected" ] || fail "$what: exit code $rc, expected $expected"
}
expect_files() { # expect_files present|absent <path>...
    local want=$1
    shift
    for path in "$@"; do
        if [ -e "$path" ]; then [ "$want" = present ] || fail "$path is still there"
        else [ "$want" = absent ] || fail "$path is missing"; fi
    done
}
# Waits (up to 15 s) until the command window is open (1) or gone (0).
wait_window() {
    if [ "$1" -eq 1 ]; then driver wait-window "Linea de comando" 15; else driver wait-gone "Linea de comando" 15; fi
}
check_shortcut() {
    local got
    got=$("$python" "$(dirname "$0")/lnk_fields.py" "$1" 2>&1 | tr -d '\r')
    [ "$got" = "target=$app_win\\pellix.exe"$'\n'"workdir=$app_win"$'\n'"arguments=" ] ||
        fail "shortcut $1: got [$got], expected pellix.exe in $app_win"
}
# Prints "<what> in <seconds> s" since $started (an $EPOCHREALTIME).
took() { awk -v what="$1" -v a="$started" -v b="$EPOCHREALTIME" 'BEGIN { printf "%s in %.1f s\n", what, b - a }'; }
program_files=("$app/zantoli.exe" "$app/pellix.exe" "$app/aliascheck.exe" "$app/LEEME.txt"
               "$app/LICENSE.txt" "$app/desinstalar.exe")

if [ -n "${WINEPREFIX:-}" ]; then
    started=$EPOCHREALTIME
    win_run wineboot --init
    settle
    took "fresh prefix"
fi

# A first install: files, shortcuts, the entry in Apps & features.
started=$EPOCHREALTIME
[ -n "$silent" ] || fail "no Silent switch in $release/winget/*.installer.yaml"
expect_rc 0 "silent install" win_run "$setup" $silent
took "silent install"
expect_files present "${program_files[@]}" "$app/alias.dat" "$app/var" "$start_menu_lnk" "$desktop_lnk"
cmp -s "$app/alias.dat" "$bin/shipped-alias.dat" || fail "alias.dat is not the shipped one"
check_shortcut "$start_menu_lnk"
check_shortcut "$desktop_lnk"
registry=$("${run[@]}" reg query "$key" 2>/dev/null | tr -d '\r')
while IFS='|' read -r name expected; do
    got=$(awk -v n="$name" '$1 == n { $1 = ""; $2 = ""; sub(/^ +/, ""); print }' <<<"$registry")
    [ "$got" = "$expected" ] || fail "registry $name: got [$got], expected [$expected]"
done <<EOF
DisplayName|Zantoli
DisplayVersion|$version
Publisher|$publisher
DisplayIcon|$app_win\\zantoli.exe,0
InstallLocation|$app_win
UninstallString|"$app_win\\desinstalar.exe"
QuietUninstallString|"$app_win\\desinstalar.exe" /S
EOF
size=$(( $(awk '$1 == "EstimatedSize" { print $3 }' <<<"$registry") + 0 ))
[ "$size" -gt 100 ] || fail "registry EstimatedSize: got [$size] KB"

# The installed launcher opens the command window beside the CAD stand-in,
# and a typed alias reaches it; the open window blocks both ways.
printf 'ZZ;*ZOOM\r\n' >>"$app/alias.dat"
edited=$(sha256sum <"$app/alias.dat")
"${run[@]}" "$bin/cad-standin.exe" --appdir "$app_win" --log "$(to_win "$work/cad.log")" \
    </dev/null >/dev/null 2>&1 &
driver wait-window "Trazalia R14 - [Dibujo1]" 15 || fail "the CAD stand-in did not open"
win_run "$app/pellix.exe"
wait_window 1 || fail "pellix.exe from the installed folder showed no command window"
driver enter zz || fail "could not type into the command window"
for _ in $(seq 100); do grep -q ZOOM "$work/cad.log" 2>/dev/null && break; sleep 0.1; done
[ "$(tr -d '\r' <"$work/cad.log" 2>/dev/null)" = '(command "ZOOM" )' ] ||
    fail "the CAD stand-in received [$(cat "$work/cad.log" 2>/dev/null)], expected (command \"ZOOM\" )"
expect_rc 3 "install while the command window is open" win_run "$setup" /S
expect_rc 3 "uninstall while the command window is open" \
    win_run "$app/desinstalar.exe" /S "_?=$app_win"
expect_files present "${program_files[@]}"
win_run taskkill /IM zantoli.exe
wait_window 0 || fail "the command window did not close"
win_run taskkill /IM cad-standin.exe
settle
expect_files present "$app/zantoli.ini"
printf 'tecla=Ctrl+Alt+L\r\n' >"$app/opciones.ini"
printf 'LINE\r\n' >"$app/historial.dat"

# An upgrade keeps the edited aliases and the operator's options.
expect_rc 0 "silent upgrade" win_run "$setup" /S
[ "$(sha256sum <"$app/alias.dat")" = "$edited" ] || fail "the upgrade replaced the edited alias.dat"
[ "$(cat "$app/opciones.ini")" = $'tecla=Ctrl+Alt+L\r' ] || fail "the upgrade changed opciones.ini"
[ "$(cat "$app/historial.dat")" = $'LINE\r' ] || fail "the upgrade changed historial.dat"

# Uninstall: the programs go, the user's aliases and window placement stay.
printf '(command "LINE" )\r\n' >"$app/var/vuroview.var"
# As IT does: the entry's QuietUninstallString, a quoted program and its switches.
quiet=$(awk '$1 == "QuietUninstallString" { $1 = ""; $2 = ""; sub(/^ +/, ""); print }' <<<"$registry")
uninstaller=$(sed 's/^"\([^"]*\)".*/\1/' <<<"$quiet")
read -ra uninstall_switches <<<"${quiet#\"$uninstaller\"}"
[ "$(uname -s | cut -c1-5)" = MINGW ] && uninstaller=$(cygpath -u "$uninstaller")
started=$EPOCHREALTIME
expect_rc 0 "quiet uninstall" win_run "$uninstaller" "${uninstall_switches[@]}"
settle # the uninstaller runs on as a copy in Temp
took "silent uninstall (until its copy in Temp has ended)"
expect_files absent "${program_files[@]}" "$app/var" "$app/zantoli.000" "$start_menu_lnk" "$desktop_lnk"
expect_files present "$app/alias.dat" "$app/zantoli.ini" "$app/opciones.ini" "$app/historial.dat"
win_run reg query "$key" && fail "the uninstall left $key"

# Reinstall without the desktop shortcut; the kept aliases are not replaced.
expect_rc 0 "silent install /NODESKTOP" win_run "$setup" /S /NODESKTOP
expect_files present "$start_menu_lnk"
expect_files absent "$desktop_lnk"
[ "$(sha256sum <"$app/alias.dat")" = "$edited" ] || fail "the reinstall replaced the kept alias.dat"

# /PURGE takes the aliases, placement, options and history too, but never the user's own files.
echo notas >"$app/mis-notas.txt"
expect_rc 0 "silent uninstall /PURGE" win_run "$app/desinstalar.exe" /S /PURGE
settle
left=$(cd "$app" && ls -A)
[ "$left" = "mis-notas.txt" ] || fail "after /PURGE the folder holds [$left], expected only mis-notas.txt"

[ "$failures" -eq 0 ] || { echo "$failures checks failed"; exit 1; }
echo "installer: all checks passed"
