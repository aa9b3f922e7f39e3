#!/usr/bin/env bash
# Rebuilds the shipped pools data/questech.txt, data/quesgen.txt and data/quesextra.txt,
# and their tables of contents (questech.toc ...), from the NCVEC text releases. The header fields are given here because a text release
# carries no title page; converting the .docx release of the same pool without options
# gives the same bytes.
#   tools/poolconv/make-pools.sh POOLCONV SOURCES_DIR
set -euo pipefail
poolconv=$1
src=$2
data=$(dirname "$0")/../../data

"$poolconv" --effective "7/1/2026 - 6/30/2030" \
    --source "NCVEC 2026-2030 Technician Class Pool Errata, issued February 19, 2026" \
    "$src/technician-2026-2030.txt" "$data/questech.txt"
"$poolconv" --effective "7/1/2023 - 6/30/2027" \
    --source "NCVEC 2023-2027 General Class Question Pool 6th Errata, issued February 4, 2026" \
    "$src/general-2023-2027.txt" "$data/quesgen.txt"
"$poolconv" --effective "7/1/2024 - 6/30/2028" \
    --source "NCVEC 2024-2028 Extra Class Pool 4th Errata, issued February 4, 2026" \
    "$src/extra-2024-2028.txt" "$data/quesextra.txt"
