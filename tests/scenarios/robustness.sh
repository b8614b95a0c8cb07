#!/bin/sh
# Feeds kolvar-board garbage bytes, very long lines and random commands with
# random arguments (a fixed seed, so every run is the same) and checks that it
# reads to the end and answers every command it has been given.
# Usage: robustness.sh KOLVAR_BOARD
set -u
board=$1
work=$(mktemp -d) || exit 2
trap 'rm -rf "$work"' EXIT

awk '
# The text doubled n times.
function repeat(text, n) { while (n-- > 0) text = text text; return text }
function square(f, r) { return sprintf("%c%d", 64 + f, r) }
BEGIN {
    srand(20261211)
    # Bytes of every value, in lines of random length.
    for (i = 0; i < 400; i++) {
        n = int(rand() * 80)
        line = ""
        for (j = 0; j < n; j++) line = line sprintf("%c", int(rand() * 256))
        print line
    }
    # Very long lines.
    print "position " repeat("k", 18)
    print "goto " repeat("9", 13) " w"
    print "move " repeat("E", 17) " E4"
    # Commands with arguments picked at random, good and bad.
    split("move user legal wka bka goto back forward newgame reset position white castling ep promo handlers endnew list state haslegal threefold", cmd, " ")
    split("E2 E4 e7 e5 A1 H8 H1 A8 0 64 65 -1 Z9 - 1 99999999999 w b x", arg, " ")
    split("all all all none OnCheck,OnMate OnDraw,OnLegalMove OnBad", ev, " ")
    pieces = " PNBRQKpnbrqk.x_"
    split("0 0 0 0 1 -1 1 -1 2 -2 1 -1 2 0 -2 3", df, " ")
    split("1 -1 2 -2 1 -1 -1 1 1 1 2 -2 0 0 0 3", dr, " ")
    for (i = 0; i < 20000; i++) {
        c = rand() < 0.7 ? "move" : cmd[1 + int(rand() * 21)]
        if (c == "move" || c == "user" || c == "legal" || c == "wka" || c == "bka") {
            if (rand() < 0.9) {
                # A step a piece might make, so that many of the moves are legal.
                f = 1 + int(rand() * 8); r = 1 + int(rand() * 8)
                d = 1 + int(rand() * 16)
                print c " " square(f, r) " " square(f + df[d], r + dr[d])
            } else
                print c " " arg[1 + int(rand() * 19)] " " arg[1 + int(rand() * 19)]
        } else if (c == "position") {
            if (rand() < 0.8) { print "position newgame"; continue }
            p = ""; n = int(rand() * 70)
            for (j = 0; j < n; j++) p = p substr(pieces, 1 + int(rand() * 16), 1)
            print "position " p
        } else if (c == "handlers") {
            print "handlers " ev[1 + int(rand() * 7)]
        } else if (c == "goto") {
            print "goto " int(rand() * 12) - 1 " " (rand() < 0.5 ? "w" : "b")
        } else if (c == "castling" || c == "white" || c == "endnew") {
            print c " " int(rand() * 18) - 1
        } else if (c == "ep" || c == "promo") {
            print c " " arg[1 + int(rand() * 19)]
        } else {
            print c
        }
    }
    print "echo done"
}' >"$work/input"

"$board" <"$work/input" >"$work/output" 2>"$work/errors"
status=$?
if [ "$status" -ne 0 ]; then
    echo "kolvar-board ended with status $status"
    tail -20 "$work/errors"
    exit 1
fi
if [ "$(tail -n 1 "$work/output")" != "done" ]; then
    echo "kolvar-board stopped before the end of its input; last answers:"
    tail -5 "$work/output"
    exit 1
fi
