#!/usr/bin/env bash
# What the bash completion of talon7x-ctl offers, line by line, as bash calls it: the commands
# (taken from the tool's --help), profile numbers, lighting settings and their values, and
# profile files.
#   completion_test.sh COMPLETION_FILE TALON7X_CTL
source "$(dirname "$0")/test_lib.sh"
source "$1" || exit 1
ctl=$2

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder" || exit 1
mkdir keep
touch a.vxp B.VXP notes.txt keep/c.vxp

# offers LINE EXPECTED: completing at the end of LINE offers exactly the words of EXPECTED, in any
# order, with bash's default word breaks.
offers() {
    COMP_LINE=$1 COMP_POINT=${#1} COMP_WORDBREAKS=$' \t\n"\'><=;|&(:'
    COMPREPLY=()
    _talon7x_ctl "$ctl" "" ""
    local got wanted
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | xargs)
    wanted=$(printf '%s\n' $2 | sort | xargs)
    [[ $got == "$wanted" ]] || fail "'$1': offered '$got', expected '$wanted'"
}

settings="brightness= choice= colour= colourful= direction= effect= rate= speed= usermode="
offers "talon7x-ctl " "--help export import info lighting profile show"
offers "talon7x-ctl l" "lighting"
offers "talon7x-ctl profile " "0 1 2"
offers "talon7x-ctl profile 1 " ""
offers "talon7x-ctl lighting " "0 1 2 $settings default"
offers "talon7x-ctl lighting 2 " "$settings default"
offers "talon7x-ctl lighting 2 effect=3 " "$settings"
offers "talon7x-ctl lighting 1 co" "colour= colourful="
# After '=' readline replaces only the value, so only values are offered.
offers "talon7x-ctl lighting 1 direction=" "left right"
offers "talon7x-ctl lighting 1 colourful=o" "off on"
offers "talon7x-ctl lighting effect=2" "2 20"
offers "talon7x-ctl lighting speed=" "0 1 2 3 4 5"
offers "talon7x-ctl import " "B.VXP a.vxp keep"
offers "talon7x-ctl show keep/" "keep/c.vxp"
offers "talon7x-ctl export a.vxp " ""
offers "talon7x-ctl info " ""

finish
