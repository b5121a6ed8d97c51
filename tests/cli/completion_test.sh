#!/usr/bin/env bash
# Completes tivok-cli command lines with data/tivok-cli.bash, as bash does
# at a Tab, in a non-interactive shell: $1 is the completion file, $2 the
# tivok-cli program that lists the items.
source "$1" || exit 1
program=$2
status=0

# expect REPLIES WORD...: completing the last WORD gives REPLIES, each
# ended by "|".
expect() {
  local expected=$1
  shift
  COMP_WORDS=("$program" "$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  _tivok_cli
  local got
  got=$(printf '%s|' "${COMPREPLY[@]}")
  [[ ${#COMPREPLY[@]} -eq 0 ]] && got=
  if [[ $got != "$expected" ]]; then
    echo "tivok-cli $*: got '$got', not '$expected'"
    status=1
  fi
}

[[ $(complete -p tivok-cli) == "complete -F _tivok_cli tivok-cli" ]] ||
  { echo "tivok-cli has no completion"; status=1; }
expect 'list|get|set|apply|items|' ''
expect '--help|--version|' --
expect 'beginner|book|' list a.gbc B
expect 'csv|' list a.gbc --format = c
expect 'json|' items --format j
expect 'portal|' list --format = csv a.gbc p
expect '--dry-run|--help|' set a.gbc -
# Item names in any case; those with spaces escaped, or left as they are
# inside an opened quote.
expect 'Sirloin|' set a.gbc portal 3 sir
expect 'Warp\ Wing|Warp\ Staff|' set --dry-run a.gbc 5 3 WARP
expect 'Sage\ Stone|' set a.gbc portal 3 'sage\ s'
expect 'Sage Stone|' set a.gbc portal 3 '"Sage S'
expect '' set a.gbc portal 3 sirloin x
# After "--" a word that begins with a dash is an operand.
expect '' -- -
exit $status
