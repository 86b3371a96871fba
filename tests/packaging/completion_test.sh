#!/usr/bin/env bash
# What the bash completion of talon7x-ctl offers, line by line, as bash calls it: the commands
# (taken from the tool's --help), profile numbers, lighting settings and their values, and
# profile files.
#   completion_test.sh COMPLETION_FILE TALON7X_CTL
source "$(dirname "$0")/test_lib.sh"
source "$1" || exit 1
ctl=$(realpath "$2")

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
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd' ')
    wanted=$(printf '%s\n' $2 | sort | paste -sd' ')
    [[ $got == "$wanted" ]] || fail "'$1': offered '$got', expected '$wanted'"
}

settings="brightness= choice= colour= colourful= direction= effect= rate= speed= usermode="
offers "talon7x-ctl " "--help auto colours export import info key keys lighting macro profile show"
offers "talon7x-ctl l" "lighting"
offers "talon7x-ctl profile " "0 1 2"
offers "talon7x-ctl profile 1 " ""
offers "talon7x-ctl lighting " "0 1 2 $settings default"
offers "talon7x-ctl lighting 2 " "$settings default"
offers "talon7x-ctl lighting 2 effect=3 " "$settings"
offers "talon7x-ctl lighting 1 co" "colour= colourful="
# After '=' or ':' readline replaces only what follows, so only that is offered.
offers "talon7x-ctl lighting 1 direction=" "left right"
offers "talon7x-ctl lighting 1 colourful=o" "off on"
offers "talon7x-ctl lighting effect=2" "2 20"
offers "talon7x-ctl lighting speed=" "0 1 2 3 4 5"
offers "talon7x-ctl keys " "0 1 2"
offers "talon7x-ctl key " "0 1 2 G1 G2 G3 G4 G5 G6 G7 G8 G9"
offers "talon7x-ctl key 1 G" "G1 G2 G3 G4 G5 G6 G7 G8 G9"
offers "talon7x-ctl key 1 F5 " "default disabled stop-macro key: mouse: media: function: macro:"
offers "talon7x-ctl key F5 m" "mouse: media: macro:"
offers "talon7x-ctl key F5 mouse:w" "wheel-up wheel-down"
offers "talon7x-ctl key 0 F5 macro:Build --" "--repeat --bank"
offers "talon7x-ctl key G2 --bank " "a b"
offers "talon7x-ctl key --bank b G2 " "default disabled stop-macro key: mouse: media: function: macro:"
offers "talon7x-ctl macro " "list show add replace delete"
offers "talon7x-ctl macro delete Build --" "--force"
offers "talon7x-ctl macro add Build n" "notes.txt"
offers "talon7x-ctl macro replace 2 " "- B.VXP a.vxp keep notes.txt"
offers "talon7x-ctl colours " "0 1 2"
offers "talon7x-ctl colours 1 " "0 1 2 3"
offers "talon7x-ctl colours 1 2 b" "base="
offers "talon7x-ctl info --" "--json"
offers "talon7x-ctl auto " "list add remove fallback on off"
offers "talon7x-ctl auto fallback " "0 1 2 none"
offers "talon7x-ctl auto add gimp " "0 1 2"
offers "talon7x-ctl auto add " ""
offers "talon7x-ctl import " "B.VXP a.vxp keep"
offers "talon7x-ctl show keep/" "keep/c.vxp"
offers "talon7x-ctl export a.vxp " ""
offers "talon7x-ctl info " ""

finish
