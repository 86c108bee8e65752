#!/usr/bin/env bash
# The installer as a new user meets it, under Wine (scripts/winerun --start first): a silent
# install, the installed programs' --version, a POS through the installed companion against
# a simulated encoder on COM3, a picture of the installed panel (the windows platform, on
# the X display), a silent uninstall that leaves no file and no registry entry behind.
#   check-installer.sh BUILD_DIR          (ENCODER_SIM: the Linux build's simulator)
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "$1" && pwd)
export WINERUN=$root/scripts/winerun ENCODER_SIM=${ENCODER_SIM:-$root/build/encoder-sim}
source "$root/tests/windows/encoders.sh"
setup=$(ls "$build"/zintor-*-setup.exe)
version=$(basename "$setup" | sed 's/^zintor-\(.*\)-setup\.exe$/\1/')
failed=0
check() { if eval "$2"; then echo "PASS $1"; else echo "FAIL $1"; failed=1; fi; }
win() { "$WINERUN" "$@" 2>/dev/null | tr -d '\r'; }

# Wine names the Windows user after the Linux one.
user=$(id -un)
dir='C:\users\'"$user"'\AppData\Local\Programs\Zintor'
unix=$(win winepath -u "$dir")
# QT_PREFIX elsewhere: the installed copy must find every DLL and plugin in its own folder.
export QT_PREFIX=/nonexistent
"$WINERUN" "$setup" /S
check "silent install into $dir" '[[ -f $unix/zintor.exe && -f $unix/zintor-cli.exe && -f $unix/uninstall.exe ]]'
menu=$(win winepath -u 'C:\users\'"$user"'\AppData\Roaming\Microsoft\Windows\Start Menu\Programs\Zintor')
check "Start-menu entries" '[[ -f $menu/Zintor.lnk && -f "$menu/Uninstall Zintor.lnk" ]]'
check "uninstaller registered for the user" 'win reg query "HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zintor" /v DisplayVersion | grep -q "$version"'
check "zintor.exe --version" '[[ $(win "$dir\zintor.exe" --version) == "Zintor V$version" ]]'
check "zintor-cli.exe --version" '[[ $(win "$dir\zintor-cli.exe" --version) == "zintor-cli V$version" ]]'
start_encoder 3
out=$(win "$dir\zintor-cli.exe" pos --port 3)
check "POS through the installed companion on COM3: $out" '[[ $out == *"position "* ]]'
if [[ -n ${DISPLAY:-} && -n ${ZINTOR_SCREENSHOT:-} ]]; then
    # The installed panel on the windows platform, on COM3 by ZINTOR_COM1.
    ZINTOR_COM1=COM3 "$WINERUN" "$dir\zintor.exe" &
    panel=$!
    sleep 6
    import -window root "$ZINTOR_SCREENSHOT" 2>/dev/null
    kill $panel 2>/dev/null
fi
stop_encoders
"$WINERUN" "$dir\uninstall.exe" /S
sleep 3 # the uninstaller runs from a copy of itself and returns at once
check "uninstall removed every file" '[[ ! -e $unix ]]'
check "uninstall removed the registry entries" '! win reg query "HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zintor" >/dev/null 2>&1 && ! win reg query "HKCU\Software\QTX_Zintor" >/dev/null 2>&1'
size=$(stat -c %s "$setup")
check "installer $size bytes, at most 15 MB" '((size <= 15 * 1024 * 1024))'
exit $failed
