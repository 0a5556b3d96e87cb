#!/usr/bin/env bash
# Checks the desktop integration and the Debian package:
#   1. the desktop entry (desktop-file-validate), the AppStream metadata (appstreamcli,
#      pedantic) and the manual page (man --warnings) from the source tree,
#   2. a release build with Debian's build flags in build/package, packaged by cpack,
#   3. lintian on the package: no errors,
#   4. the package extracted with dpkg-deb into a scratch root: exactly the expected files,
#      the same checks on the installed copies, the installed binary passing --selftest, and
#      the updater module loading where the binary looks for it, its libraries in Depends.
# Exits non-zero when any check fails.
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build/package
app_id=dev.morvane.colorpicker
version=$(sed -n 's/^project(MorvaneColorPicker VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}

# desktop-file-utils 0.26 (Debian 12) predates version 1.5 of the desktop entry format and
# calls its SingleMainWindow key unknown; every other error, warning or hint fails (a hint
# names, for one, a second main category, which shows the entry twice in some menus).
check_desktop_entry() {
    local output
    output=$(desktop-file-validate "$1" 2>&1 || true)
    [ -z "$output" ] || echo "$output"
    if grep -v 'contains key "SingleMainWindow"' <<<"$output" | grep -Eq ': (error|warning|hint): '; then
        fail "desktop-file-validate $1"
    fi
}

check_metainfo() {
    appstreamcli validate --no-net --pedantic --explain "$1" || fail "appstreamcli validate $1"
    grep -q "<release version=\"$version\"" "$1" || fail "$1 lists no release $version"
}

check_manual() {
    local warnings
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$1" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man --warnings $1: $warnings"
}

echo "== desktop entry, AppStream metadata, manual page"
check_desktop_entry packaging/$app_id.desktop
check_metainfo packaging/$app_id.metainfo.xml
manual=$(mktemp)
trap 'rm -f "$manual"' EXIT
sed "s/@PROJECT_VERSION@/$version/" packaging/morvane-color-picker.1.in >"$manual"
check_manual "$manual"

echo "== release build and Debian package ($dir)"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# Configured for /usr, as a Debian build is: the library folder is then the multiarch one,
# where the updater module is private to the package (CPack calls ldconfig for a shared
# object one level below /usr/lib).
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DMORVANE_BUILD_TESTS=OFF -DMORVANE_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    -DCMAKE_MODULE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
# Only what the package holds: the telemetry library and the tools stay unbuilt.
cmake --build "$dir" -j "$(nproc)" --target morvane-color-picker morvane_install_data
rm -rf "$dir/packages"
(cd "$dir" && cpack --config CPackConfig.cmake >/dev/null)
deb=$(echo "$dir"/packages/morvane-color-picker_"$version"_*.deb)
[ -f "$deb" ] || { echo "FAIL: no package in $dir/packages" >&2; exit 1; }
echo "$deb"
dpkg-deb --field "$deb"

echo "== lintian"
lintian --info --display-info --fail-on error "$deb" || fail "lintian reports errors"

echo "== install test (dpkg-deb -x)"
root=$(mktemp -d)
trap 'rm -f "$manual"; rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
module=usr/lib/$multiarch/morvane-color-picker/morvane-updater.so
app_module=usr/lib/$multiarch/morvane-color-picker/morvane-color-picker-app.so
expected=$(
    printf '%s\n' \
        usr/bin/morvane-color-picker \
        $module \
        $app_module \
        usr/share/applications/$app_id.desktop \
        usr/share/metainfo/$app_id.metainfo.xml \
        usr/share/icons/hicolor/scalable/apps/$app_id.svg \
        usr/share/icons/hicolor/symbolic/apps/$app_id-symbolic.svg \
        usr/share/man/man1/morvane-color-picker.1.gz \
        usr/share/doc/morvane-color-picker/copyright \
        usr/share/doc/morvane-color-picker/changelog.gz
    for size in 16 22 24 32 48 64 128 256; do
        echo "usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
    done
    for language in de es fr it ja pl pt_BR zh_CN; do
        echo "usr/share/morvane-color-picker/translations/morvane-color-picker_$language.qm"
    done
)
actual=$(cd "$root" && find . -type f -printf '%P\n')
if ! diff <(sort <<<"$expected") <(sort <<<"$actual"); then
    fail "the package's files differ from the expected list (< expected, > packaged)"
fi
for size in 16 22 24 32 48 64 128 256; do
    png="$root/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
    file "$png" | grep -q "PNG image data, $size x $size," || fail "$png is not ${size}x$size"
done
[ -x "$root/usr/bin/morvane-color-picker" ] || fail "the binary is not executable"
# The binary opens the application module, and that the updater module, by its path from the
# binary's folder, so they must keep their places; the modules' libraries come through Depends
# (dpkg-shlibdeps reads the modules too). The runs below load the application module.
grep -aqF "../${app_module#usr/}" "$root/usr/bin/morvane-color-picker" ||
    fail "the binary does not look for $app_module"
grep -aqF "../${module#usr/}" "$root/$app_module" ||
    fail "the application does not look for $module"
# "--pick" through a running copy loads no Qt: the binary itself must not need it.
if readelf -d "$root/usr/bin/morvane-color-picker" | grep -q 'NEEDED.*libQt'; then
    fail "the binary links Qt"
fi
python3 -c '
import ctypes, os, sys
module = ctypes.CDLL(sys.argv[1], mode=os.RTLD_NOW | os.RTLD_LOCAL)
module.morvane_create_updater
' "$root/$module" || fail "$module does not load or lacks its entry point"
depends=$(dpkg-deb --field "$deb" Depends)
for library in libqt6network6 libsodium23; do
    grep -q "\b$library\b" <<<"$depends" || fail "Depends lacks $library: $depends"
done
check_desktop_entry "$root/usr/share/applications/$app_id.desktop"
check_metainfo "$root/usr/share/metainfo/$app_id.metainfo.xml"
check_manual "$root/usr/share/man/man1/morvane-color-picker.1.gz"

scratch=$(mktemp -d)
trap 'rm -f "$manual"; rm -rf "$root" "$scratch"' EXIT
mkdir -p "$scratch/home" "$scratch/config" "$scratch/runtime"
chmod 700 "$scratch/runtime"
run_installed() {
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen HOME="$scratch/home" \
        XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime" \
        "$root/usr/bin/morvane-color-picker" "$@"
}
[ "$(run_installed --version)" = "Morvane Color Picker $version" ] || fail "--version"
# The installed copy finds its translations beside it.
[ "$(LANGUAGE=de run_installed --help | head -n1)" = "Aufruf: morvane-color-picker [OPTION]" ] ||
    fail "the installed copy does not speak German"
if run_installed --selftest; then
    echo "the installed binary passes --selftest"
else
    fail "the installed binary fails --selftest"
fi

exit $status
