#!/usr/bin/env bash
# The installer under Wine, as a user meets it: a silent install into a
# fresh prefix, the command window opened from the installed folder, an
# install and an uninstall refused while it is open, an upgrade that keeps
# the edited aliases, an uninstall that keeps the user's files, and /PURGE.
#   installer_test.sh <setup.exe> <version> <publisher> <work folder>
# Needs an X display (scripts/with-wine.sh gives one). The work folder is
# emptied first; it holds the prefix and a throwaway HOME, since Wine links
# the prefix's Desktop into HOME.
set -uo pipefail
setup=$1 version=$2 publisher=$3 work=$4

rm -rf "$work"
mkdir -p "$work/home"
export WINEPREFIX=$work/prefix HOME=$work/home WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export PATH="/usr/lib/wine:$PATH"
trap 'wineserver -k >/dev/null 2>&1' EXIT

user_win='C:\users\'$(id -un)
app_win=$user_win'\AppData\Local\Programs\Zantoli'
user_dir=$WINEPREFIX/drive_c/users/$(id -un)
app=$user_dir/AppData/Local/Programs/Zantoli
start_menu_lnk="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Zantoli.lnk"
desktop_lnk=$user_dir/Desktop/Zantoli.lnk
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zantoli'

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
wine_run() { wine64 "$@" </dev/null >/dev/null 2>&1; }
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
# Polls (up to 15 s) until the command window is open (1) or gone (0).
wait_window() {
    for _ in $(seq 150); do
        local open=0
        xwininfo -root -tree 2>/dev/null | grep -q '"Linea de comando"' && open=1
        [ "$open" -eq "$1" ] && return 0
        sleep 0.1
    done
    return 1
}
check_shortcut() {
    local got
    got=$(python3 "$(dirname "$0")/lnk_fields.py" "$1" 2>&1)
    [ "$got" = "target=$app_win\\pellix.exe"$'\n'"workdir=$app_win"$'\n'"arguments=" ] ||
        fail "shortcut $1: got [$got], expected pellix.exe in $app_win"
}
# Prints "<what> in <seconds> s" since $started (an $EPOCHREALTIME).
took() { awk -v what="$1" -v a="$started" -v b="$EPOCHREALTIME" 'BEGIN { printf "%s in %.1f s\n", what, b - a }'; }
program_files=("$app/zantoli.exe" "$app/pellix.exe" "$app/aliascheck.exe" "$app/LEEME.txt"
               "$app/LICENSE.txt" "$app/desinstalar.exe")

started=$EPOCHREALTIME
wine_run wineboot --init
wineserver -w
took "fresh prefix"

# A first install: files, shortcuts, the entry in Apps & features.
started=$EPOCHREALTIME
expect_rc 0 "silent install" wine_run "$setup" /S
took "silent install"
expect_files present "${program_files[@]}" "$app/alias.dat" "$app/var" "$start_menu_lnk" "$desktop_lnk"
cmp -s "$app/alias.dat" "$(dirname "$setup")/Zantoli/alias.dat" || fail "alias.dat is not the shipped one"
check_shortcut "$start_menu_lnk"
check_shortcut "$desktop_lnk"
registry=$(wine64 reg query "$key" 2>/dev/null | tr -d '\r')
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

# The command window, opened by the installed launcher, blocks both ways.
printf 'ZZ;*ZOOM\r\n' >>"$app/alias.dat"
edited=$(sha256sum <"$app/alias.dat")
wine_run "$app/pellix.exe"
wait_window 1 || fail "pellix.exe from the installed folder showed no command window"
expect_rc 3 "install while the command window is open" wine_run "$setup" /S
expect_rc 3 "uninstall while the command window is open" \
    wine_run "$app/desinstalar.exe" /S "_?=$app_win"
expect_files present "${program_files[@]}"
wine_run taskkill /IM zantoli.exe
wait_window 0 || fail "the command window did not close"
wineserver -w
expect_files present "$app/zantoli.ini"

# An upgrade keeps the edited aliases.
expect_rc 0 "silent upgrade" wine_run "$setup" /S
[ "$(sha256sum <"$app/alias.dat")" = "$edited" ] || fail "the upgrade replaced the edited alias.dat"

# Uninstall: the programs go, the user's aliases and window placement stay.
printf '(command "LINE" )\r\n' >"$app/var/vuroview.var"
started=$EPOCHREALTIME
expect_rc 0 "silent uninstall" wine_run "$app/desinstalar.exe" /S
wineserver -w # the uninstaller runs on as a copy in Temp
took "silent uninstall (until wineserver -w returns)"
expect_files absent "${program_files[@]}" "$app/var" "$app/zantoli.000" "$start_menu_lnk" "$desktop_lnk"
expect_files present "$app/alias.dat" "$app/zantoli.ini"
wine_run reg query "$key" && fail "the uninstall left $key"

# Reinstall without the desktop shortcut; the kept aliases are not replaced.
expect_rc 0 "silent install /NODESKTOP" wine_run "$setup" /S /NODESKTOP
expect_files present "$start_menu_lnk"
expect_files absent "$desktop_lnk"
[ "$(sha256sum <"$app/alias.dat")" = "$edited" ] || fail "the reinstall replaced the kept alias.dat"

# /PURGE takes the aliases and placement too, but never the user's own files.
echo notas >"$app/mis-notas.txt"
expect_rc 0 "silent uninstall /PURGE" wine_run "$app/desinstalar.exe" /S /PURGE
wineserver -w
left=$(cd "$app" && ls -A)
[ "$left" = "mis-notas.txt" ] || fail "after /PURGE the folder holds [$left], expected only mis-notas.txt"

[ "$failures" -eq 0 ] || { echo "$failures checks failed"; exit 1; }
echo "installer: all checks passed"
