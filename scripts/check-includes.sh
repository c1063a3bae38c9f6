#!/usr/bin/env bash
# Fails on any #include that reaches up the layering: core < io < classes < ui <
# win32 < tools; service may include core and io only; no library folder
# includes tests/, fuzz/ or bench/, which themselves may include anything.
# Prints one line "file:line: ..." per offending include. Usage: [root], default
# the tree this script sits in.
set -u
root=${1:-"$(dirname "$0")/.."}
cd "$root" || exit 2

layers=(core io classes ui win32 tools service)
declare -A rank
for i in "${!layers[@]}"; do rank[${layers[$i]}]=$((i + 1)); done
declare -A unlayered=([tests]=1 [fuzz]=1 [bench]=1)

# The folder an include lands in, in $to: its first component when that is a
# folder of the tree (includes are written from the root), else the one it
# reaches relative to the including file; empty for system and library headers.
target_folder() {  # file, included path
    local first=${2%%/*}
    to=
    if [ "$2" != "$first" ] && { [ -n "${rank[$first]:-}" ] || [ -n "${unlayered[$first]:-}" ]; }; then
        to=$first
    elif [ -e "${1%/*}/$2" ]; then
        to=$(realpath -m --relative-to=. "${1%/*}/$2")
        to=${to%%/*}
    fi
}

allowed() {  # from folder, to folder
    local from=$1 to=$2
    [ -n "${unlayered[$to]:-}" ] && return 1
    [ -z "${rank[$to]:-}" ] && return 0
    if [ "$from" = service ]; then
        [ "$to" = core ] || [ "$to" = io ] || [ "$to" = service ]
        return
    fi
    [ "${rank[$to]}" -le "${rank[$from]}" ]
}

folders=()
for f in "${layers[@]}"; do [ -d "$f" ] && folders+=("$f"); done
bad=0
while IFS=: read -r file line text; do
    [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*[\<\"]([^\>\"]+)[\>\"] ]] || continue
    path=${BASH_REMATCH[1]}
    from=${file%%/*}
    target_folder "$file" "$path"
    [ -n "$to" ] || continue
    if ! allowed "$from" "$to"; then
        if [ "$from" = service ]; then
            echo "$file:$line: $path: service may include only core and io"
        else
            echo "$file:$line: $path: $to is not below $from"
        fi
        bad=1
    fi
done < <(grep -rnE --include='*.h' --include='*.cpp' --include='*.inl' '^[[:space:]]*#[[:space:]]*include' "${folders[@]}")

if [ "$bad" -ne 0 ]; then
    echo "include check: failed"
    exit 1
fi
echo "include check: passed"
