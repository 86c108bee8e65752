#!/usr/bin/env bash
# Lays out the Windows programs with the Qt DLLs and plugins they load and the compiler's
# runtime, checks that every DLL they import is shipped or Windows' own, and makes the
# per-user installer and the portable zip from that one layout:
#   package.sh BUILD_DIR VERSION zintor.exe zintor-cli.exe
# (Debian's Qt 6.4 has no windeployqt.) Outputs BUILD_DIR/zintor-VERSION-setup.exe and
# BUILD_DIR/zintor-VERSION-win64.zip.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$1 version=$2
shift 2
QT_PREFIX=${QT_PREFIX:-/opt/qt6-mingw}
OBJDUMP=x86_64-w64-mingw32-objdump
STRIP=x86_64-w64-mingw32-strip
name=zintor-$version
stage=$build/windows-stage/$name-win64
rm -rf "$build/windows-stage"
mkdir -p "$stage"/{platforms,styles,imageformats}
cp "$@" "$stage/"
# The plugins a Widgets program loads: the windows platform, its native style, and the
# image formats (the icon, pictures in the manual).
cp "$QT_PREFIX/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$QT_PREFIX/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
cp "$QT_PREFIX"/plugins/imageformats/{qico,qjpeg,qgif}.dll "$stage/imageformats/"
cp "$(dirname "$here")/../LICENSE" "$stage/LICENSE.txt"

imports() { "$OBJDUMP" -p "$1" | sed -n 's/^\s*DLL Name: //p'; }
# Follow imports until no file brings a DLL the Qt prefix has (its bin/ holds the compiler's
# runtime too).
todo=("$stage"/*.exe "$stage"/*/*.dll)
while ((${#todo[@]})); do
    next=()
    for file in "${todo[@]}"; do
        while read -r dll; do
            if [[ -f $QT_PREFIX/bin/$dll && ! -f $stage/$dll ]]; then
                cp "$QT_PREFIX/bin/$dll" "$stage/"
                next+=("$stage/$dll")
            fi
        done < <(imports "$file")
    done
    todo=("${next[@]+"${next[@]}"}")
done
"$STRIP" --strip-unneeded "$stage"/*.exe

# Every import must be shipped here or be Windows' own.
bad=0
for file in "$stage"/*.exe "$stage"/*.dll "$stage"/*/*.dll; do
    while read -r dll; do
        case ${dll,,} in
        api-ms-win-* | kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | shell32.dll | \
            ole32.dll | oleaut32.dll | comdlg32.dll | winspool.drv | imm32.dll | winmm.dll | \
            ws2_32.dll | version.dll | mpr.dll | userenv.dll | netapi32.dll | dwmapi.dll | \
            uxtheme.dll | d3d9.dll | d3d11.dll | dxgi.dll | dwrite.dll | setupapi.dll | \
            shlwapi.dll | msvcrt.dll | uiautomationcore.dll | authz.dll | wtsapi32.dll | \
            shcore.dll | comctl32.dll | d2d1.dll | rpcrt4.dll | crypt32.dll | secur32.dll | \
            iphlpapi.dll | dnsapi.dll | bcrypt.dll | ntdll.dll | cfgmgr32.dll)
            ;;
        *)
            [[ -f $stage/$dll ]] || { echo "package: ${file#"$stage"/} imports $dll, which is neither shipped nor Windows' own" >&2; bad=1; }
            ;;
        esac
    done < <(imports "$file")
done
((bad == 0)) || exit 1

# The uninstaller removes exactly what was installed.
(cd "$stage" && find . -type f | sort | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|') \
    >"$build/windows-stage/uninstall-files.nsh"
(cd "$stage" && find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|') \
    >>"$build/windows-stage/uninstall-files.nsh"
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DICON="$build/packaging/windows/zintor.ico" \
    -DLICENCE="$stage/LICENSE.txt" -DFILES="$build/windows-stage/uninstall-files.nsh" \
    -DOUTFILE="$build/$name-setup.exe" "$here/zintor.nsi"

# The portable zip: the same files in a folder, with an empty zintor.ini that keeps the
# settings beside the programs.
: >"$stage/zintor.ini"
rm -f "$build/$name-win64.zip"
(cd "$build/windows-stage" && zip -q -r -X "$build/$name-win64.zip" "$name-win64")
rm "$stage/zintor.ini"

size=$(stat -c %s "$build/$name-setup.exe")
limit=$((15 * 1024 * 1024))
if ((size > limit)); then
    echo "package: $name-setup.exe is $size bytes, above the 15 MB limit" >&2
    exit 1
fi
ls -l "$build/$name-setup.exe" "$build/$name-win64.zip"
