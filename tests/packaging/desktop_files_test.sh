#!/usr/bin/env bash
# The desktop entry, the autostart entry and the AppStream metainfo pass their validators with
# nothing to say, and agree with each other.
#   desktop_files_test.sh DESKTOP_DIR METAINFO_FILE
source "$(dirname "$0")/test_lib.sh"
desktop_dir=$1
metainfo=$2

for entry in "$desktop_dir/talon7x.desktop" "$desktop_dir/talon7x-autostart.desktop"; do
    expect_status 0 "desktop-file-validate ${entry##*/}" desktop-file-validate "$entry"
    [[ -z $out ]] || fail "desktop-file-validate ${entry##*/} reports: $out"
done
expect_status 0 "appstreamcli validate" appstreamcli validate --no-net --pedantic "$metainfo"

key() { sed -n "s/^$1=//p" "$2"; }
menu=$desktop_dir/talon7x.desktop
autostart=$desktop_dir/talon7x-autostart.desktop
[[ $(key Exec "$autostart") == "$(key Exec "$menu") /Start" ]] ||
    fail "the autostart entry does not start the menu entry's program with /Start"
# A removed package leaves its conffiles until it is purged: the autostart entry must not try
# to start a program that is gone.
[[ $(key TryExec "$autostart") == "$(key Exec "$menu")" ]] ||
    fail "the autostart entry does not check with TryExec that the program is there"
[[ $(key Icon "$autostart") == "$(key Icon "$menu")" ]] ||
    fail "the autostart entry's icon differs from the menu entry's"
categories=$(key Categories "$menu")
for category in Settings HardwareSettings; do
    [[ ";$categories" == *";$category;"* ]] || fail "menu entry not in category $category"
done

expect_contains "$(<"$metainfo")" '<launchable type="desktop-id">talon7x.desktop</launchable>' \
    "metainfo launchable"
# The keyboard's USB id, so software centres offer the program when the keyboard is plugged in.
expect_contains "$(<"$metainfo")" '<modalias>usb:v0C45p5D27d*</modalias>' "metainfo modalias"
[[ $(<"$metainfo") =~ \<screenshot\ type=\"default\"\>.*\<image\>https://[^\<]+\.png\</image\> ]] ||
    fail "metainfo has no screenshot"
[[ ${metainfo##*/} == "$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo").metainfo.xml" ]] ||
    fail "metainfo file not named after its component id"

finish
