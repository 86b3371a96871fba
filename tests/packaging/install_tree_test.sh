#!/usr/bin/env bash
# Installs the build into a temporary prefix, moves the tree elsewhere, and runs the installed
# tools from there on the virtual keyboard and on the hidapi library, in a clean environment:
# nothing of the build folder may be needed or named.
#   install_tree_test.sh BUILD_DIR VERSION
source "$(dirname "$0")/test_lib.sh"
build=$1
version=$2

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# Stripped as the package is: debug information names the folder the objects were compiled in.
cmake --install "$build" --prefix "$tmp/staged" --strip >/dev/null || { echo "install failed"; exit 1; }
# Moved after the install: the tree must not depend on the prefix it was installed to.
mv "$tmp/staged" "$tmp/moved"
prefix=$tmp/moved
dir=$prefix/lib/talon7x

# The layout the program reads, and the system files
expected=(
    bin/talon7x lib/talon7x/talon7x bin/talon7x-ctl lib/talon7x/talon7x-ctl lib/talon7x/talon7x-vkb
    lib/talon7x/libKbBridge.so lib/talon7x/virtual/libKbBridge.so
    lib/talon7x/Lang0409.ini lib/talon7x/Lang040C.ini lib/talon7x/Lang0804.ini
    lib/talon7x/Lang0404.ini lib/talon7x/Help/index.html lib/talon7x/Skins/Main.ini
    lib/talon7x/Skins/Composite.ini lib/talon7x/Skins/Profile.ini
    lib/talon7x/Skins/UserDengColor_3.userd lib/talon7x/icons/icon_128.svg
    lib/udev/rules.d/70-talon7x-duo.rules share/man/man1/talon7x-ctl.1.gz
    share/bash-completion/completions/talon7x-ctl share/doc/talon7x/copyright
    share/man/man1/talon7x.1.gz share/applications/talon7x.desktop
    etc/xdg/autostart/talon7x.desktop share/icons/hicolor/scalable/apps/talon7x.svg
)
for path in "${expected[@]}"; do
    [[ -e $prefix/$path ]] || fail "not installed: $path"
done
for tool in talon7x talon7x-ctl; do
    [[ $(readlink "$prefix/bin/$tool") == ../lib/talon7x/$tool ]] ||
        fail "bin/$tool is not a relative link into lib/talon7x"
done
# Every skin picture and INI file the build drew is installed.
while IFS= read -r -d '' file; do
    [[ -e $dir/Skins/${file#"$build/Skins/"} ]] || fail "skin file not installed: $file"
done < <(find "$build/Skins" -type f -print0)
for icon in "$build"/icons/talon7x_*.png; do
    size=${icon##*_} size=${size%.png}
    [[ -e $prefix/share/icons/hicolor/${size}x$size/apps/talon7x.png ]] ||
        fail "application icon of $size px missing from the hicolor theme"
done
# The metainfo against the installed desktop entry and icon
expect_status 0 "appstreamcli validate-tree" appstreamcli validate-tree --no-net "$prefix"

# Nothing points back into the build folder: no path in any file, no RUNPATH but $ORIGIN, and
# every library resolves.
hits=$(grep -rlF "$build" "$prefix")
[[ -z $hits ]] || fail "files naming the build folder: $hits"
while IFS= read -r -d '' elf; do
    if ! file -b "$elf" | grep -q '^ELF'; then continue; fi
    runpath=$(readelf -d "$elf" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
    [[ -z $runpath || $runpath == '$ORIGIN' || $runpath == '$ORIGIN/virtual' ]] ||
        fail "${elf#"$prefix/"} has RUNPATH $runpath"
    readelf -d "$elf" | grep -q '(RPATH)' && fail "${elf#"$prefix/"} has an RPATH"
    deps=$(ldd "$elf" 2>&1)
    [[ $deps == *"not found"* || $deps == *"$build"* ]] && fail "ldd ${elf#"$prefix/"}: $deps"
done < <(find "$prefix" -type f -print0)

# The installed tools in a clean environment, from a folder of their own.
home=$tmp/home
mkdir -p "$home"
cd "$home" || exit 1
clean_env=(env -i HOME="$home" PATH=/usr/bin:/bin TALON7X_VKB_STATE="$home/vkb.state")
run() { "${clean_env[@]}" "$@"; }
virtual="LD_LIBRARY_PATH=$dir/virtual"

expect_status 0 "talon7x-ctl --help" run "$prefix/bin/talon7x-ctl" --help
expect_contains "$out" "lighting" "talon7x-ctl --help"

# The virtual keyboard, loaded from the installed tree and nowhere else
expect_status 0 "talon7x-ctl info on the virtual keyboard" \
    run "$virtual" LD_DEBUG=libs "$prefix/bin/talon7x-ctl" info
expect_contains "$out" "firmware: 0x" "talon7x-ctl info"
expect_contains "$out" "calling init: $dir/virtual/libKbBridge.so" "library loaded by info"
expect_status 0 "talon7x-ctl profile 2" run "$virtual" "$prefix/bin/talon7x-ctl" profile 2
expect_status 0 "talon7x-ctl profile" run "$virtual" "$prefix/bin/talon7x-ctl" profile
[[ $out == 2 ]] || fail "active profile after switching to 2: '$out'"
# Effect names come from the installed language file.
expect_status 0 "talon7x-ctl lighting 1 effect=5" \
    run "$virtual" "$prefix/bin/talon7x-ctl" lighting 1 effect=5
expect_status 0 "talon7x-ctl lighting 1" run "$virtual" "$prefix/bin/talon7x-ctl" lighting 1
[[ $out =~ effect:\ 5\ [[:alpha:]] ]] || fail "lighting shows no effect name: $out"
expect_status 0 "talon7x-ctl export" run "$virtual" "$prefix/bin/talon7x-ctl" export "$home/a.vxp"
expect_status 0 "talon7x-ctl show" run "$prefix/bin/talon7x-ctl" show "$home/a.vxp"
expect_status 0 "talon7x-vkb info" run "$dir/talon7x-vkb" info

# The hidapi library beside the tool: no keyboard here (2), or a real one (0); never "cannot load"
out=$(run LD_DEBUG=libs "$prefix/bin/talon7x-ctl" info 2>&1)
status=$?
[[ $status == 0 || $status == 2 ]] || fail "talon7x-ctl info on hidapi: exit status $status: $out"
expect_contains "$out" "calling init: $dir/libKbBridge.so" "hidapi library loaded by info"

expect_status 0 "talon7x --version" run "$prefix/bin/talon7x" --version
[[ $out == "talon7x $version" ]] || fail "talon7x --version says '$out', expected 'talon7x $version'"

# The program itself, started as the session starts it: it ends at once (status 3 or 4) when
# its library or a skin picture is not where it looks. Once it listens for a second start,
# /Kill ends it.
runtime=$tmp/runtime
mkdir -m 700 "$runtime"
program_env=("$virtual" QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$runtime")
"${clean_env[@]}" "${program_env[@]}" "$prefix/bin/talon7x" /Start >"$tmp/program.log" 2>&1 &
program=$!
for _ in {1..300}; do
    [[ -S $runtime/RX73P25D ]] && break
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
done
if [[ -S $runtime/RX73P25D ]] && kill -0 "$program" 2>/dev/null; then
    expect_status 0 "talon7x /Kill" run "${program_env[@]}" timeout 30 "$prefix/bin/talon7x" /Kill
else
    fail "the installed program did not start: $(<"$tmp/program.log")"
fi
timeout 30 tail --pid="$program" -f /dev/null || kill "$program"
wait "$program"
status=$?
[[ $status == 0 ]] || fail "the installed program ended with status $status: $(<"$tmp/program.log")"

finish
