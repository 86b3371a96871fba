#!/usr/bin/env bash
# talon7x-ctl's --help and its manual page never disagree: every command and option the tool
# lists is described on the page and every command the page describes is one the tool takes;
# every exit status it names is on the page. The command list comes from the tool itself, so a
# new command fails here until the page describes it. Both pages format without warnings.
#   manual_pages_test.sh TALON7X_CTL MAN_DIR (the configured pages)
source "$(dirname "$0")/test_lib.sh"
ctl=$1
man_dir=$2
page=$man_dir/talon7x-ctl.1

# The lines of a section of a page, from .SH NAME to the next .SH.
section() { awk -v name="$2" '/^\.SH/ { inside = ($0 == ".SH " name || $0 == ".SH \"" name "\"") ; next } inside' "$1"; }
# The first word of each .TP tag in a section, without fonts, quotes and escapes.
tags() {
    section "$1" "$2" | awk '/^\.TP/ { tag = 1; next } tag { tag = 0; print }' |
        sed -E 's/^\.[BIR]+ //; s/\\f[BIRP]//g; s/\\-/-/g; s/"//g; s/[ ,].*//'
}

help=$("$ctl" --help) || fail "talon7x-ctl --help failed"
listed=$(awk '/^commands:/ { on = 1; next } on && /^  [a-z]/ { print $1 } /^$/ { on = 0 }' <<<"$help")
[[ -n $listed ]] || fail "no commands found in talon7x-ctl --help"
described=$(tags "$page" COMMANDS | sort -u)

for command in $listed; do
    grep -qx -- "$command" <<<"$described" || fail "talon7x-ctl.1 does not describe '$command'"
    # The tool takes it (a made-up name is refused the same way, checked below).
    [[ $("$ctl" "$command" --no-such-argument 2>&1) != *"unknown command"* ]] ||
        fail "talon7x-ctl refuses '$command', which its --help lists"
done
for command in $described; do
    [[ $command == help ]] && continue
    grep -qx -- "$command" <<<"$listed" || fail "talon7x-ctl.1 describes '$command', which --help does not list"
done
[[ $("$ctl" no-such-command 2>&1) == *"unknown command"* ]] ||
    fail "talon7x-ctl takes a made-up command, so the check above proves nothing"

for option in $(grep -oE -- '--[a-z][a-z-]*' <<<"$help" | sort -u); do
    grep -qF -- "${option//-/\\-}" "$page" || fail "talon7x-ctl.1 does not describe option $option"
done

statuses=$(sed -n '/^exit codes:/,$p' <<<"$help" | grep -oE '\b[0-9]+ [a-z]' | cut -d' ' -f1)
[[ -n $statuses ]] || fail "no exit codes found in talon7x-ctl --help"
for status in $statuses; do
    tags "$page" "EXIT STATUS" | grep -qx "$status" || fail "talon7x-ctl.1 does not describe exit status $status"
done

for manual in "$man_dir"/*.1; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$manual" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "${manual##*/}: $warnings"
done

finish
