#!/usr/bin/env bash
# The drawing program's files include downward only: a file (a header with
# its source) includes only files below it, never one that includes it
# back, however far round. Prints the files by level, each with what it
# stands on, and fails naming the files of a loop when there is one.
#   include_order.sh APP_FOLDER
set -u
folder=${1:?usage: include_order.sh APP_FOLDER}
cd "$folder" || exit 1

# "FILE INCLUDED" for each include of another of the program's own files,
# a header and its source counted as one file.
edges=$(
  for f in *.h *.cpp; do
    stem=${f%.*}
    sed -n 's/^#include "\([a-z_0-9]*\)\.h".*/\1/p' "$f" | while read -r to; do
      [ "$to" != "$stem" ] && [ -e "$to.h" ] && echo "$stem $to"
    done
  done | sort -u
)
files=$(for f in *.h *.cpp; do echo "${f%.*}"; done | sort -u)

# tsort names the files of a loop on its standard error.
if ! loops=$( { echo "$edges"; for s in $files; do echo "$s $s"; done; } | tsort 2>&1 >/dev/null) ||
   [ -n "$loops" ]; then
  echo "The program's files include each other:"
  echo "$loops" | sed "s/^tsort: //"
  exit 1
fi

# The level of a file: 0 for one that stands on none of the others,
# otherwise one more than the highest of those it includes.
echo "$edges" | awk -v files="$files" '
  NF == 2 { on[$1] = on[$1] " " $2 }
  END {
    n = split(files, all, "\n")
    do {
      changed = 0
      for (i = 1; i <= n; ++i) {
        f = all[i]; k = split(on[f], deps, " "); l = 0
        for (j = 1; j <= k; ++j) if (level[deps[j]] + 1 > l) l = level[deps[j]] + 1
        if (l != level[f]) { level[f] = l; changed = 1 }
      }
    } while (changed)
    for (i = 1; i <= n; ++i) print level[all[i]] + 0, all[i] ":" on[all[i]]
  }' | sort -n -k1,1 -k2,2
