#!/usr/bin/env bash
# Writes the seed inputs of the shapes-file fuzz target into the folder given: small valid files
# and broken ones, all built on the bundled file's 64 header lines.
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
out="$1"
mkdir -p "$out"
kal="$src/data/KALIDO.kal"
header() { head -n 64 "$kal"; }                 # the piece section, CR LF line ends
title() { sed -n 65p "$kal"; }
records() { sed -n "66,$((65 + $1))p" "$kal"; }
crlf() { printf '%s\r\n' "$@"; }
seed() { cat >"$out/$1"; }

{ header; title; records 3; } | seed valid-three
{ header; title; } | seed valid-empty-collection
{ header; title; records 3; } | tr -d '\r' | seed valid-lf-line-ends
{ header; crlf '"Kalido, figures"'; records 2; } | seed title-with-comma
{ header; crlf '"Kalido' 'figures"'; records 3; } | seed title-over-two-lines
{ header; title; crlf 0,60,60,5,60,60,3,60,60,7,128,94,1,94,128,1,60,162,7,128,128,7,162,60; records 1; } | seed record-numbered-0
{ header; title; records 1; crlf 2,60,60,5,60,60,3,60,60,7,128,94,1,94,128,1,60,162,7; } | seed record-cut-short
{ header; title; crlf 1,60,60,5,60,60,3,x,60,7,128,94,1,94,128,1,60,162,7,128,128,7,162,60; } | seed value-not-a-number
{ header; title; crlf 1,60,60,9,60,60,3,60,60,7,128,94,1,94,128,1,60,162,7,128,128,7,162,60; } | seed orientation-9
{ header; title; crlf 1,-40000,60,5,60,60,3,60,60,7,128,94,1,94,128,1,60,162,7,128,128,7,162,60; } | seed corner-far-away
{ header; title; crlf 1,1e308,60,5,60,60,3,60,60,7,1e5,94,1,94,128,1,60,162,7,128,128,7,162,60; } | seed values-too-large
{ header; title; records 2 | head -c -2; } | seed no-final-line-end
{ header; title; records 2; crlf '' '  ' ''; } | seed blank-lines-after
{ header | head -n 30; } | seed header-cut-short
{ header; crlf '"Kalido figures'; records 1; } | seed title-quote-never-closed
{ header | sed '9s/^[^,]*,[^,]*,/large1,-1,big,/'; title; records 1; } | seed piece-width-not-a-number
{ header | sed '2s/.*/1.5,9999/'; title; records 1; } | seed home-out-of-range
: | seed empty
