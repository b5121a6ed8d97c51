#include "cli/completion.h"

#include <string_view>

#include "cli/grammar.h"
#include "layout/words.h"
#include "rom/describe.h"
#include "rom/item_table.h"

namespace tivok::cli {
namespace {

struct Candidates {
  bool files = false;
  std::string file_prefix;  // with files: what comes before the name
  std::vector<std::string> words;

  // Adds `before` and `word` where `word` begins with `typed`, in any
  // case or as typed.
  void Add(std::string_view before, std::string_view word,
           std::string_view typed, bool any_case = false) {
    const std::string_view start = word.substr(0, typed.size());
    if (any_case ? Lower(start) == Lower(typed) : start == typed) {
      words.push_back(std::string(before) + std::string(word));
    }
  }
};

std::string TextOf(const Candidates& candidates) {
  bool open = !candidates.words.empty();
  for (const std::string& word : candidates.words) {
    open = open && word.ends_with('=');
  }
  std::string text = candidates.files ? "files\n" + candidates.file_prefix
                     : open           ? "nospace"
                                      : "words";
  text += "\n";
  for (const std::string& word : candidates.words) text += word + "\n";
  return text;
}

// The values of `option` with `command` that begin with `typed`, each
// after `before`.
Candidates ValuesOf(const OptionRule& option, const CommandRule& command,
                    std::string_view before, std::string_view typed) {
  Candidates candidates;
  if (option.value == OptionValue::kFile) {
    candidates.files = true;
    candidates.file_prefix = before;
    return candidates;
  }
  for (const Format format : FormatsOf(command)) {
    candidates.Add(before, FormatName(format), typed);
  }
  return candidates;
}

// The options of `command` that begin with `typed`, --help last; those
// that take a value end in "=". --version only where no command is given.
Candidates OptionsOf(const CommandRule& command, std::string_view typed) {
  std::vector<Option> offered(command.options.begin(), command.options.end());
  offered.push_back(Option::kHelp);
  if (command.command == Command::kNone) offered.push_back(Option::kVersion);
  Candidates candidates;
  for (const Option option : offered) {
    const OptionRule& rule = RuleOf(option);
    std::string name(rule.name);
    if (rule.value != OptionValue::kNone) name += "=";
    candidates.Add("", name, typed);
  }
  return candidates;
}

// The next operand of `command`, after `operands`.
Candidates OperandOf(const CommandRule& command,
                     const std::vector<std::string>& operands,
                     std::string_view typed) {
  Candidates candidates;
  const std::size_t index = operands.size();
  if (index >= command.operands.size()) return candidates;
  switch (command.operands[index].kind) {
    case OperandKind::kLayout:
      candidates.Add("", "-", typed);
      [[fallthrough]];
    case OperandKind::kImage:
      candidates.files = true;
      break;
    case OperandKind::kStore:
      for (const Store& store : StoreTable::All()) {
        candidates.Add("", StoreWord(store), typed, true);
      }
      break;
    case OperandKind::kSlot:
      if (const Reading<const Store*> store = ReadStore(operands[index - 1]);
          store.ok()) {
        for (int k = 1; k <= store.value->slot_count; ++k) {
          candidates.Add("", std::to_string(k), typed);
        }
      }
      break;
    case OperandKind::kItem:
      for (const std::string_view name : ItemTable::Names()) {
        candidates.Add("", name, typed, true);
      }
      break;
  }
  return candidates;
}

Candidates Complete(const std::vector<std::string>& words) {
  const std::string typed = words.empty() ? "" : words.back();
  const std::vector<Word> before =
      ReadWords({words.begin(), words.empty() ? words.end() : words.end() - 1});
  const CommandRule* command = &RuleOf(Command::kNone);
  bool command_seen = false;
  bool options_ended = false;
  std::vector<std::string> operands;
  for (const Word& word : before) {
    if (word.role == Word::Role::kCommand) {
      command_seen = true;
      if (const CommandRule* named = FindCommand(word.text)) command = named;
    } else if (word.role == Word::Role::kOperand) {
      operands.push_back(word.text);
    } else if (word.role == Word::Role::kEndOfOptions) {
      options_ended = true;
    }
  }
  // An option whose value is the word being typed.
  if (!before.empty() && before.back().role == Word::Role::kOption &&
      before.back().option->value != OptionValue::kNone &&
      !before.back().value) {
    return ValuesOf(*before.back().option, *command, "", typed);
  }
  if (!options_ended && typed.starts_with('-')) {
    const Word word = ReadWords({typed}).front();
    if (word.role == Word::Role::kOption && word.value) {
      const std::string_view value = *word.value;
      return ValuesOf(
          *word.option, *command,
          std::string_view(typed).substr(0, typed.size() - value.size()),
          value);
    }
    return OptionsOf(*command, typed);
  }
  Candidates candidates;
  if (!command_seen) {
    for (const CommandRule& rule : Commands()) {
      candidates.Add("", rule.name, typed);
    }
    return candidates;
  }
  if (command->command == Command::kNone) return candidates;
  return OperandOf(*command, operands, typed);
}

}  // namespace

std::string CompletionText(const std::vector<std::string>& words) {
  return TextOf(Complete(words));
}

}  // namespace tivok::cli
