#!/usr/bin/env bash
# Checks that a document shows the scripts and pictures it is about, so the
# text cannot drift from what the tests run.
#
#   doc_shows.sh steps DOC DIR
#     For every DIR/NAME.fs: DOC holds the script, and its NAME.out and
#     NAME.err when there are any, each verbatim as a fenced block
#     (```forth for the script, ```text for the others); DOC links
#     NAME.png when there is one; and when NAME.args exists, DOC shows the
#     command "veskel ARGS" with those options.
#   doc_shows.sh gallery DOC DIR
#     For every DIR/NAME.fs: DOC links the thumbnail DIR/thumbs/NAME.png,
#     which exists, and shows the command that draws the example.
#
# Links are written relative to DOC's folder.
set -u
mode=$1
doc=$2
dir=$3
text=$(cat "$doc")
rel=$(realpath --relative-to="$(dirname "$doc")" "$dir")
failures=0

fail() {
  echo "FAIL $1"
  failures=$((failures + 1))
}

# shows_block FILE FENCE: the file's exact bytes, final line end included,
# as one fenced block.
shows_block() {
  local body
  body=$(cat "$1"; echo x)
  [[ "$text" == *"\`\`\`$2"$'\n'"${body%x}\`\`\`"* ]] ||
    fail "$doc does not show $1 exactly, as a \`\`\`$2 block"
}

links() {
  [[ "$text" == *"($1)"* ]] || fail "$doc does not link $1"
}

shopt -s nullglob
scripts=("$dir"/*.fs)
[ ${#scripts[@]} -gt 0 ] || fail "no scripts in $dir"
for script in "${scripts[@]}"; do
  name=$(basename "$script" .fs)
  case $mode in
    steps)
      shows_block "$script" forth
      for kind in out err; do
        [ -f "$dir/$name.$kind" ] && shows_block "$dir/$name.$kind" text
      done
      [ -f "$dir/$name.png" ] && links "$rel/$name.png"
      if [ -f "$dir/$name.args" ]; then
        args=$(cat "$dir/$name.args")
        [[ "$text" == *"veskel $args "* ]] || fail "$doc does not show the options of $name: veskel $args"
      fi
      ;;
    gallery)
      [ -f "$dir/thumbs/$name.png" ] || fail "no thumbnail $dir/thumbs/$name.png"
      links "$rel/thumbs/$name.png"
      command="veskel $rel/$name.fs -o $name.png"
      [[ "$text" == *"$command"* ]] || fail "$doc does not show the command: $command"
      ;;
    *)
      echo "unknown mode: $mode"
      exit 2
      ;;
  esac
done
[ $failures = 0 ]
