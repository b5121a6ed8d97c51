# bash completion for tivok-cli                            -*- shell-script -*-
# tivok-cli itself says what completes a word (`tivok-cli __complete
# WORD...`, src/cli/completion.h): this script reads the words up to the
# cursor, hands them over, and shows the answer.

# Reads `line` into words as the shell would, quotes and backslashes taken
# out: _tivok_cli_words, the last being the word at the cursor (perhaps
# empty). _tivok_cli_open is the quote left open in that word, and
# _tivok_cli_cut how many of its characters come before the part that the
# shell replaces: those up to an unquoted word break (COMP_WORDBREAKS, such
# as "=" and ":") or up to the open quote.
_tivok_cli_split() {
  local line=$1 char next word= quote= started= cut=0 opened=0 i
  _tivok_cli_words=()
  for ((i = 0; i < ${#line}; i++)); do
    char=${line:i:1}
    if [[ $quote == "'" ]]; then
      [[ $char == "'" ]] && quote= || word+=$char
    elif [[ $char == '\' ]]; then
      next=${line:i+1:1}
      # Within double quotes a backslash escapes only $ ` " and itself.
      if [[ $quote == '"' && $next != [\$\`\"\\] ]]; then
        word+=$char
      else
        word+=$next
        ((i++))
      fi
      started=1
    elif [[ $quote == '"' ]]; then
      [[ $char == '"' ]] && quote= || word+=$char
    elif [[ $char == [\'\"] ]]; then
      quote=$char opened=${#word} started=1
    elif [[ $char == [[:space:]] ]]; then
      [[ -n $started ]] && _tivok_cli_words+=("$word")
      word= started= cut=0
    else
      word+=$char started=1
      [[ $COMP_WORDBREAKS == *"$char"* ]] && cut=${#word}
    fi
  done
  _tivok_cli_words+=("$word")
  _tivok_cli_open=$quote
  _tivok_cli_cut=$cut
  [[ -n $quote ]] && _tivok_cli_cut=$opened
}

_tivok_cli() {
  COMPREPLY=()
  # Set by _tivok_cli_split, and kept out of the user's shell.
  local -a _tivok_cli_words
  local _tivok_cli_open _tivok_cli_cut
  _tivok_cli_split "${COMP_LINE:0:COMP_POINT}"
  local program=${_tivok_cli_words[0]/#\~/$HOME} mode prefix candidate
  local -a lines candidates
  mapfile -t lines < <("$program" __complete "${_tivok_cli_words[@]:1}" \
    2>/dev/null)
  mode=${lines[0]}
  candidates=("${lines[@]:1}")
  if [[ $mode == files ]]; then
    # The second line is what the word holds before the file name.
    prefix=${lines[1]}
    candidates=("${lines[@]:2}")
    local typed=${_tivok_cli_words[-1]} name
    while IFS= read -r name; do
      candidates+=("$prefix$name")
    done < <(compgen -f -- "${typed:${#prefix}}")
    compopt -o filenames 2>/dev/null
  elif [[ $mode == nospace ]]; then
    compopt -o nospace 2>/dev/null
  fi
  for candidate in "${candidates[@]}"; do
    candidate=${candidate:_tivok_cli_cut}
    # File names are quoted by the shell; words unless a quote is open.
    if [[ $mode != files && -z $_tivok_cli_open ]]; then
      printf -v candidate '%q' "$candidate"
    fi
    COMPREPLY+=("$candidate")
  done
}
complete -F _tivok_cli tivok-cli
