#!/usr/bin/env bash
# The installer as a user meets it, under Wine in a fresh prefix here and on
# a real Windows desktop in the workflow (Git Bash), with the package
# manager manifest's switches: a silent install of the version before and
# the upgrade over it, the command window opened by the installed launcher
# beside the CAD stand-in and a command sent to it, an install and an
# uninstall refused while the window is open, a failed install reported as
# one, an uninstall that keeps the user's files, and /PURGE.
#   installer_test.sh <release folder> <bin folder> <work folder>
# The release folder holds the setup and installer-test.env; the bin folder
# the stand-in and the demo driver. Needs a desktop (under Wine an X display:
# scripts/with-wine.sh gives one). The work folder is emptied first; under
# Wine it holds the prefix and a throwaway HOME, since Wine links the
# prefix's Desktop into HOME.
set -uo pipefail
. "$(dirname "$0")/../../scripts/winpath.sh"
release=$(cd "$1" && pwd) bin=$(cd "$2" && pwd) work=$3
env_value() { sed -n "s/^$1=//p" "$release/installer-test.env" | tr -d '\r'; }
setup=$release/$(env_value setup) version=$(env_value version) publisher=$(env_value publisher)
product_code=$(env_value product_code)
previous_setup=$release/$(env_value previous_setup) previous_version=$(env_value previous_version)
# IT installs with the package manager manifest's switches.
switch() { sed -n "s/^  $1: \"\\(.*\\)\"\$/\\1/p" "$release"/winget/*.installer.yaml | tr -d '\r'; }
silent=$(switch Silent) upgrade=$(switch Upgrade) log_switch=$(switch Log)
chattr -i "$work/solo-lectura" 2>/dev/null # left locked by a run that was cut short
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
    lock_folder() { icacls "$(cygpath -w "$1")" /deny "$USERNAME:(OI)(CI)W" >/dev/null; }
    unlock_folder() { [ ! -d "$1" ] || icacls "$(cygpath -w "$1")" /remove:d "$USERNAME" >/dev/null; }
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
    lock_folder() { chattr +i "$1" 2>/dev/null || chmod a-w "$1"; }
    unlock_folder() { [ ! -d "$1" ] || { chattr -i "$1" 2>/dev/null; chmod u+w "$1"; }; }
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

for found in "Silent=$silent" "Upgrade=$upgrade" "Log=$log_switch"; do
    [ -n "${found#*=}" ] || fail "no ${found%%=*} switch in $release/winget/*.installer.yaml"
done
log_to() { printf '%s' "${log_switch/<LOGPATH>/$(winpath "$1")}"; }
read_registry() { registry=$("${run[@]}" reg query "$key" 2>/dev/null | tr -d '\r'); }
registry_value() { awk -v n="$1" '$1 == n { $1 = ""; $2 = ""; sub(/^ +/, ""); print }' <<<"$registry"; }

# A folder that cannot be used fails with exit code 2 and says why in the
# log, before anything is written: a file in its way, and a folder the user
# may not write in (an access rule on Windows; root here needs the
# immutable flag, which a container may not grant).
echo >"$work/ocupado"
mkdir "$work/solo-lectura"
if ! lock_folder "$work/solo-lectura" || touch "$work/solo-lectura/probe" 2>/dev/null; then
    echo "SKIPPED: no way to make a folder unwritable here; the read-only case is not checked"
    rm -rf "$work/solo-lectura"
fi
while IFS='|' read -r name why; do
    [ -e "$work/$name" ] || continue
    expect_rc 2 "install into $name" \
        win_run "$setup" $silent "$(log_to "$work/$name.log")" "/D=$(winpath "$work/$name")"
    grep -qF "$why $(winpath "$work/$name")" "$work/$name.log" ||
        fail "the log of the install into $name holds [$(cat "$work/$name.log" 2>/dev/null)], expected [$why ...]"
done <<EOF
ocupado|No se puede instalar en la carpeta
solo-lectura|No se puede escribir en la carpeta
EOF
unlock_folder "$work/solo-lectura"
win_run reg query "$key" && fail "a failed install wrote $key"

# IT installed the version before, and the operator made it theirs.
started=$EPOCHREALTIME
expect_rc 0 "silent install of $previous_version" win_run "$previous_setup" $silent
took "silent install"
read_registry
[ "$(registry_value DisplayVersion)" = "$previous_version" ] ||
    fail "registry DisplayVersion after installing $previous_version: got [$(registry_value DisplayVersion)]"
printf 'ZZ;*ZOOM\r\n' >>"$app/alias.dat"
printf 'tecla=Ctrl+Alt+L\r\n' >"$app/opciones.ini"
printf '1200\r\n2400\r\n3000\r\n6000\r\n' >"$app/zantoli.ini"
printf '3\t1765000000\tLINE\r\n' >"$app/historial.dat"
operator_files() { (cd "$app" && sha256sum alias.dat opciones.ini zantoli.ini historial.dat); }
kept=$(operator_files)
printf 'older' >>"$app/zantoli.exe"
older=$(sha256sum <"$app/zantoli.exe")

# The upgrade with the manifest's switches: new programs, files, shortcuts,
# the entry in Apps & features; the operator's files as they were.
expect_rc 0 "silent upgrade to $version" win_run "$setup" $silent $upgrade "$(log_to "$work/setup.log")"
[ "$(operator_files)" = "$kept" ] || fail "the upgrade changed the operator's files"
[ "$(sha256sum <"$app/zantoli.exe")" != "$older" ] || fail "the upgrade left the older zantoli.exe"
grep -qF "Zantoli $version instalado en $app_win." "$work/setup.log" ||
    fail "the upgrade's log holds [$(cat "$work/setup.log" 2>/dev/null)], expected where it installed"
expect_files present "${program_files[@]}" "$app/var" "$start_menu_lnk" "$desktop_lnk"
cmp -s "$app/alias.dat" <(cat "$bin/shipped-alias.dat"; printf 'ZZ;*ZOOM\r\n') ||
    fail "alias.dat is not the shipped one with the operator's alias"
check_shortcut "$start_menu_lnk"
check_shortcut "$desktop_lnk"
read_registry
while IFS='|' read -r name expected; do
    got=$(registry_value "$name")
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
edited=$(sha256sum <"$app/alias.dat")
"${run[@]}" "$bin/cad-standin.exe" --appdir "$app_win" --log "$(winpath "$work/cad.log")" \
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

# Uninstall: the programs go, the user's aliases and window placement stay.
printf '(command "LINE" )\r\n' >"$app/var/vuroview.var"
# As IT does: the entry's QuietUninstallString, a quoted program and its switches.
quiet=$(registry_value QuietUninstallString)
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
# An upgrade keeps that choice.
expect_rc 0 "silent upgrade after /NODESKTOP" win_run "$setup" $silent $upgrade
expect_files absent "$desktop_lnk"

# /PURGE takes the aliases, placement, options and history too, but never the user's own files.
echo notas >"$app/mis-notas.txt"
expect_rc 0 "silent uninstall /PURGE" win_run "$app/desinstalar.exe" /S /PURGE
settle
left=$(cd "$app" && ls -A)
[ "$left" = "mis-notas.txt" ] || fail "after /PURGE the folder holds [$left], expected only mis-notas.txt"

[ "$failures" -eq 0 ] || { echo "$failures checks failed"; exit 1; }
echo "installer: all checks passed"
