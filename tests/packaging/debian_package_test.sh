#!/usr/bin/env bash
# Builds the Debian package with CPack, as a packager does, and checks what it holds: the
# installed layout under /usr, dependencies computed from the binaries, the maintainer scripts
# that apply the udev rule, and no lintian errors.
#   debian_package_test.sh BUILD_DIR
source "$(dirname "$0")/test_lib.sh"
build=$1

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp" >"$tmp/cpack.log" 2>&1 ||
    { cat "$tmp/cpack.log"; echo "cpack failed"; exit 1; }
debs=("$tmp"/*.deb)
[[ ${#debs[@]} == 1 && -f ${debs[0]} ]] || { echo "expected one package, got: ${debs[*]}"; exit 1; }
deb=${debs[0]}

contents=$(dpkg-deb --contents "$deb" | awk '{ print $1 " " substr($0, index($0, "./")) }')
has() {
    grep -qE -- "^$1 \./$2( |$)" <<<"$contents" || fail "package lacks $2 ($1)"
}
has -rwxr-xr-x usr/lib/talon7x/talon7x-ctl
has -rwxr-xr-x usr/lib/talon7x/talon7x-vkb
has -rw-r--r-- usr/lib/talon7x/libKbBridge.so
has -rw-r--r-- usr/lib/talon7x/virtual/libKbBridge.so
has -rw-r--r-- usr/lib/talon7x/Lang0409.ini
has -rw-r--r-- usr/lib/talon7x/Skins/Main.ini
has -rw-r--r-- usr/lib/talon7x/Help/index.html
has -rw-r--r-- usr/lib/talon7x/icons/icon_141.svg
has lrwxrwxrwx "usr/bin/talon7x-ctl -> \.\./lib/talon7x/talon7x-ctl"
has -rw-r--r-- usr/lib/udev/rules.d/70-talon7x-duo.rules
has -rw-r--r-- usr/share/man/man1/talon7x-ctl.1.gz
has -rw-r--r-- usr/share/bash-completion/completions/talon7x-ctl
has -rw-r--r-- usr/share/doc/talon7x/copyright
has -rwxr-xr-x usr/lib/talon7x/talon7x
has lrwxrwxrwx "usr/bin/talon7x -> \.\./lib/talon7x/talon7x"
has -rw-r--r-- usr/share/man/man1/talon7x.1.gz
has -rw-r--r-- usr/share/applications/talon7x.desktop
has -rw-r--r-- "usr/share/metainfo/.*\.metainfo\.xml"
has -rw-r--r-- usr/share/icons/hicolor/scalable/apps/talon7x.svg
has -rw-r--r-- usr/share/icons/hicolor/256x256/apps/talon7x.png
has -rw-r--r-- etc/xdg/autostart/talon7x.desktop
grep -q '^d' <<<"$contents" && grep -E '^d' <<<"$contents" | grep -vq '^drwxr-xr-x' &&
    fail "folders that are not 0755: $(grep -E '^d' <<<"$contents" | grep -v '^drwxr-xr-x')"

# Computed from the binaries by dpkg-shlibdeps: hidapi for the real keyboard's library, Qt for
# the program; and the SVG plugins Qt loads for the icons.
depends=$(dpkg-deb --field "$deb" Depends)
for package in libhidapi-hidraw0 libstdc++6 libqt6widgets6 libqt6network6 libqt6svg6; do
    expect_contains "$depends" "$package" "Depends"
done

dpkg-deb --control "$deb" "$tmp/control"
for script in postinst postrm; do
    [[ -x $tmp/control/$script ]] || fail "no $script"
    grep -q 'udevadm control --reload-rules' "$tmp/control/$script" ||
        fail "$script does not reload the udev rules"
    sh -n "$tmp/control/$script" || fail "$script is not valid sh"
done
grep -qx /etc/xdg/autostart/talon7x.desktop "$tmp/control/conffiles" ||
    fail "the autostart entry is not a conffile"

# Errors fail; warnings and the rest are shown in the log.
lintian_out=$(lintian --fail-on error --display-level ">=warning" --tag-display-limit 0 "$deb" 2>&1)
lintian_status=$?
echo "lintian:"
echo "$lintian_out"
((lintian_status == 0)) || fail "lintian reports errors"

finish
