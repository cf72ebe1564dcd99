# bash completion for veskel: its options, the picture formats -o can save,
# the animation's, pictures --open starts from, the PNG pictures whose script
# --script-of and --replay read, and script files. Installed as
# share/bash-completion/completions/veskel,
# where bash-completion loads it the first time veskel is completed.

_veskel() {
  local cur prev words cword split
  # -s splits "--save=PATH" into the option (prev) and its value (cur).
  _init_completion -s || return

  # After "--" every argument is a script file, whatever it looks like.
  local i
  for ((i = 1; i < cword; i++)); do
    if [[ ${words[i]} == -- ]]; then
      _filedir fs
      return
    fi
  done

  case $prev in
    -e)
      return # a line of Veskel text: nothing to offer
      ;;
    -o | --save)
      # The extension picks the format; only these can be written.
      # generated: _filedir '@({extensions})'
      _filedir '@(bmp|png|jpg|jpeg|svg|pdf)'
      return
      ;;
    --animate)
      _filedir webp
      return
      ;;
    --open)
      # Any picture the image library reads; these are the common ones.
      _filedir '@(png|bmp|jpg|jpeg|gif|tif|tiff|ico|webp)'
      return
      ;;
    --frame-every)
      return # a number of drawing operations
      ;;
    --size)
      COMPREPLY=($(compgen -W '640x400 320x200 800x600 1024x768' -- "$cur"))
      return
      ;;
    --script-of | --replay)
      # Only a PNG keeps the script that drew it.
      _filedir png
      return
      ;;
    --help | -h | --version | --words)
      return
      ;;
  esac
  $split && return

  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W '-e -o --save --size --open --animate --frame-every --script-of --replay -- --words --help --version' -- "$cur"))
    return
  fi
  _filedir fs
}
complete -F _veskel veskel
