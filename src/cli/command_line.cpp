#include "cli/command_line.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "layout/words.h"

namespace tivok::cli {
namespace {

std::string CommandNames() {
  std::vector<std::string> names;
  for (const CommandRule& rule : Commands()) names.emplace_back(rule.name);
  return JoinedForText(names, "and");
}

// The commands that take `option`: "set and apply".
std::string CommandsTaking(Option option) {
  std::vector<std::string> names;
  for (const CommandRule& rule : Commands()) {
    if (Takes(rule, option)) names.emplace_back(rule.name);
  }
  return JoinedForText(names, "and");
}

std::string FormatNames(const CommandRule& command,
                        std::string_view conjunction) {
  std::vector<std::string> names;
  for (const Format format : FormatsOf(command)) {
    names.emplace_back(FormatName(format));
  }
  return JoinedForText(names, conjunction);
}

// Why an option at the end of the line lacks its value.
std::string ValueNeeded(const Word& word, const CommandRule& command) {
  if (word.option->value == OptionValue::kFile) {
    return word.text + " needs a file name";
  }
  return word.text + " needs a format: " + FormatNames(command, "or");
}

// Takes a given option into `invocation`; a format's name is checked once
// the command is known.
void Take(const Word& word, Invocation& invocation,
          std::optional<std::string>& format_name) {
  switch (word.option->option) {
    case Option::kHelp:
      invocation.help = true;
      break;
    case Option::kVersion:
      invocation.version = true;
      break;
    case Option::kFormat:
      format_name = word.value;
      break;
    case Option::kDryRun:
      invocation.dry_run = true;
      break;
    case Option::kExitCode:
      invocation.exit_code = true;
      break;
    case Option::kOutput:
      invocation.output = word.value;
      break;
    case Option::kFixChecksum:
      invocation.fix_checksum = true;
      break;
    case Option::kFix:
      invocation.fix = true;
      break;
    case Option::kClean:
      invocation.clean = word.value;
      break;
  }
}

}  // namespace

bool IsPatch(Format format) {
  return format == Format::kIps || format == Format::kBps;
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  ParsedCommandLine parsed;
  Invocation& invocation = parsed.invocation;
  std::string error;
  auto note = [&error](std::string text) {
    if (error.empty()) error = std::move(text);
  };
  const std::vector<Word> words = ReadWords(args);
  const CommandRule* rule = &RuleOf(Command::kNone);
  bool command_seen = false;
  for (const Word& word : words) {
    if (word.role != Word::Role::kCommand) continue;
    command_seen = true;
    if (const CommandRule* named = FindCommand(word.text)) rule = named;
  }
  invocation.command = rule->command;
  std::vector<Option> given;
  std::optional<std::string> format_name;
  for (const Word& word : words) {
    switch (word.role) {
      case Word::Role::kCommand:
        if (rule->command == Command::kNone) {
          note("unknown command " + Echoed(word.text) + "; the commands are " +
               CommandNames());
        }
        break;
      case Word::Role::kOperand:
        invocation.operands.push_back(word.text);
        break;
      case Word::Role::kEndOfOptions:
        break;
      case Word::Role::kUnknownOption:
        note("unknown option " + Echoed(word.text));
        break;
      case Word::Role::kOption:
        given.push_back(word.option->option);
        if (word.option->value != OptionValue::kNone && !word.value) {
          note(ValueNeeded(word, *rule));
        } else {
          Take(word, invocation, format_name);
        }
        break;
    }
  }
  if (invocation.version || invocation.help) return parsed;

  const Command command = rule->command;
  for (const OptionRule& option : Options()) {
    const bool is_given =
        std::find(given.begin(), given.end(), option.option) != given.end();
    if (is_given && command != Command::kNone && !Takes(*rule, option.option)) {
      note(std::string(option.name) + " is an option of " +
           CommandsTaking(option.option) + " only");
    }
  }
  if (format_name) {
    const std::vector<Format> formats = FormatsOf(*rule);
    const std::optional<Format> format = FormatNamed(*format_name);
    if (!format ||
        std::find(formats.begin(), formats.end(), *format) == formats.end()) {
      note("unknown format " + Echoed(*format_name) + "; the formats are " +
           FormatNames(*rule, "and"));
    } else {
      invocation.format = *format;
    }
  }
  if (invocation.output && command == Command::kDiff &&
      !IsPatch(invocation.format)) {
    note(
        "-o writes patches only, with --format=ips or --format=bps; the "
        "other formats go to standard output");
  }
  if (error.starts_with("unknown option")) {
    error += "; the options are " + OptionsText(*rule);
  }
  if (error.empty() && !command_seen) {
    note("no command given; the commands are " + CommandNames());
  }
  const std::size_t most = rule->operands.size();
  if (command != Command::kNone &&
      invocation.operands.size() < rule->required) {
    note("too few arguments");
  } else if (command != Command::kNone && invocation.operands.size() > most) {
    note("too many arguments: " + Echoed(invocation.operands[most]) +
         " is one more than the command takes");
  }
  for (const std::string& operand : invocation.operands) {
    if (operand.empty()) note("an argument is empty");
  }
  parsed.error = error;
  return parsed;
}

}  // namespace tivok::cli
