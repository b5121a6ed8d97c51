# bash completion for tivok-cli                            -*- shell-script -*-
# Completes the commands, their options, the store words and the item
# names (from `tivok-cli items`), and file names for IMAGE and LAYOUT.

# The item names that begin with $1, as the word typed so far, in any case:
# escaped for the shell, or as they are inside an opened quote.
_tivok_cli_items() {
  local cur=$1 program=$2 quote= typed name
  case $cur in
    \"* | \'*) quote=${cur:0:1} typed=${cur:1} ;;
    *) typed=${cur//\\/} ;;
  esac
  typed=${typed,,}
  while IFS=, read -r _ name; do
    [[ ${name,,} == "$typed"* ]] || continue
    if [[ -n $quote ]]; then
      COMPREPLY+=("$name")
    else
      COMPREPLY+=("$(printf '%q' "$name")")
    fi
  done < <("$program" items --format=csv 2>/dev/null | tail -n +2)
}

_tivok_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  local program=${COMP_WORDS[0]/#\~/$HOME}
  local command= options_ended= word i
  local -a operands=()
  COMPREPLY=()
  # The command and the operands before the word being completed. bash
  # splits --format=csv into "--format", "=" and "csv".
  for ((i = 1; i < COMP_CWORD; i++)); do
    word=${COMP_WORDS[i]}
    if [[ -z $options_ended && $word == -- ]]; then
      options_ended=1
    elif [[ -z $options_ended && $word == --format ]]; then
      [[ ${COMP_WORDS[i + 1]} == = ]] && i=$((i + 1))
      i=$((i + 1))
    elif [[ -z $options_ended && $word == -?* ]]; then
      :
    elif [[ -z $command ]]; then
      command=$word
    else
      operands+=("$word")
    fi
  done

  if [[ $prev == --format || ($prev == = && \
        ${COMP_WORDS[COMP_CWORD - 2]} == --format) ]]; then
    mapfile -t COMPREPLY < <(compgen -W 'table csv json' -- "$cur")
    return
  fi
  if [[ -z $options_ended && $cur == -* ]]; then
    local options='--help'
    case $command in
      '') options='--help --version' ;;
      list | items) options='--format= --help' ;;
      set | apply) options='--dry-run --help' ;;
    esac
    mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
    [[ ${COMPREPLY[0]} == *= ]] && compopt -o nospace 2>/dev/null
    return
  fi
  if [[ -z $command ]]; then
    mapfile -t COMPREPLY < <(compgen -W 'list get set apply items' -- "$cur")
    return
  fi
  case $command:${#operands[@]} in
    list:0 | get:0 | set:0 | apply:0 | apply:1)
      compopt -o filenames 2>/dev/null
      mapfile -t COMPREPLY < <(compgen -f -- "$cur")
      ;;
    list:1 | get:1 | set:1)
      mapfile -t COMPREPLY < <(compgen -W \
        'beginner second third book portal' -- "${cur,,}")
      ;;
    set:3)
      _tivok_cli_items "$cur" "$program"
      ;;
  esac
}
complete -F _tivok_cli tivok-cli
