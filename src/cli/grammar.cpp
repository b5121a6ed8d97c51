#include "cli/grammar.h"

#include <array>
#include <utility>

namespace tivok::cli {
namespace {

constexpr Operand kImage{"IMAGE", OperandKind::kImage};
constexpr Operand kStore{"STORE", OperandKind::kStore};

constexpr Operand kImageAndStore[] = {kImage, kStore};
constexpr Operand kSlotOperands[] = {
    kImage, kStore, {"SLOT", OperandKind::kSlot}};
constexpr Operand kSetOperands[] = {
    kImage, kStore, {"SLOT", OperandKind::kSlot}, {"ITEM", OperandKind::kItem}};
constexpr Operand kApplyOperands[] = {kImage, {"LAYOUT", OperandKind::kLayout}};
constexpr Operand kDiffOperands[] = {
    {"CLEAN", OperandKind::kImage}, kImage, kStore};

constexpr Option kFormatOnly[] = {Option::kFormat};
constexpr Option kWriteOptions[] = {Option::kDryRun, Option::kFixChecksum};
constexpr Option kApplyOptions[] = {Option::kDryRun, Option::kFixChecksum,
                                    Option::kClean};
constexpr Option kDiffOptions[] = {Option::kFormat, Option::kExitCode,
                                   Option::kOutput};
constexpr Option kChecksumOptions[] = {Option::kFix};

constexpr Format kListings[] = {Format::kTable, Format::kCsv, Format::kJson};
constexpr Format kListingsAndPatches[] = {
    Format::kTable, Format::kCsv, Format::kJson, Format::kIps, Format::kBps};

constexpr CommandRule kCommands[] = {
    {Command::kList, "list", kImageAndStore, 1, kFormatOnly, kListings},
    {Command::kGet, "get", kSlotOperands, 3, {}, {}},
    {Command::kSet, "set", kSetOperands, 4, kWriteOptions, {}},
    {Command::kApply, "apply", kApplyOperands, 2, kApplyOptions, {}},
    {Command::kDiff, "diff", kDiffOperands, 2, kDiffOptions,
     kListingsAndPatches},
    {Command::kItems, "items", {}, 0, kFormatOnly, kListings},
    {Command::kChecksum, "checksum", {&kImage, 1}, 1, kChecksumOptions, {}},
};

constexpr CommandRule kNoCommand{Command::kNone, "", {}, 0, {}, {}};

constexpr OptionRule kOptions[] = {
    {Option::kHelp, "--help", "-h", OptionValue::kNone},
    {Option::kVersion, "--version", "-v", OptionValue::kNone},
    {Option::kFormat, "--format", "", OptionValue::kFormat},
    {Option::kDryRun, "--dry-run", "", OptionValue::kNone},
    {Option::kExitCode, "--exit-code", "", OptionValue::kNone},
    {Option::kOutput, "--output", "-o", OptionValue::kFile, "FILE"},
    {Option::kFixChecksum, "--fix-checksum", "", OptionValue::kNone},
    {Option::kFix, "--fix", "", OptionValue::kNone},
    {Option::kClean, "--clean", "", OptionValue::kFile, "CLEAN"},
};

constexpr std::array<std::string_view, 5> kFormatNames = {"table", "csv",
                                                          "json", "ips", "bps"};

// The option that `arg` spells, with its value when the word holds it:
// "--format=csv", "--output=p.ips", "-op.ips".
const OptionRule* OptionIn(std::string_view arg,
                           std::optional<std::string>& value) {
  for (const OptionRule& rule : kOptions) {
    if (arg == rule.name ||
        (!rule.short_name.empty() && arg == rule.short_name)) {
      return &rule;
    }
    if (rule.value == OptionValue::kNone) continue;
    if (arg.starts_with(rule.name) && arg.size() > rule.name.size() &&
        arg[rule.name.size()] == '=') {
      value = std::string(arg.substr(rule.name.size() + 1));
      return &rule;
    }
    if (!rule.short_name.empty() && arg.starts_with(rule.short_name)) {
      value = std::string(arg.substr(rule.short_name.size()));
      return &rule;
    }
  }
  return nullptr;
}

}  // namespace

std::span<const CommandRule> Commands() { return kCommands; }

const CommandRule* FindCommand(std::string_view name) {
  for (const CommandRule& rule : kCommands) {
    if (rule.name == name) return &rule;
  }
  return nullptr;
}

const CommandRule& RuleOf(Command command) {
  for (const CommandRule& rule : kCommands) {
    if (rule.command == command) return rule;
  }
  return kNoCommand;
}

std::string CommandName(Command command) {
  return std::string(RuleOf(command).name);
}

std::span<const OptionRule> Options() { return kOptions; }

const OptionRule& RuleOf(Option option) {
  for (const OptionRule& rule : kOptions) {
    if (rule.option == option) return rule;
  }
  return kOptions[0];
}

bool Takes(const CommandRule& command, Option option) {
  if (option == Option::kHelp || option == Option::kVersion) return true;
  for (const Option each : command.options) {
    if (each == option) return true;
  }
  return false;
}

std::string_view FormatName(Format format) {
  return kFormatNames[static_cast<std::size_t>(format)];
}

std::optional<Format> FormatNamed(std::string_view name) {
  for (std::size_t i = 0; i < kFormatNames.size(); ++i) {
    if (kFormatNames[i] == name) return static_cast<Format>(i);
  }
  return std::nullopt;
}

std::vector<Format> FormatsOf(const CommandRule& command) {
  if (command.command == Command::kNone) {
    return {std::begin(kListingsAndPatches), std::end(kListingsAndPatches)};
  }
  return {command.formats.begin(), command.formats.end()};
}

std::string JoinedForText(const std::vector<std::string>& names,
                          std::string_view conjunction) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i + 1 == names.size() && i > 0) {
      text += " " + std::string(conjunction) + " ";
    } else if (i > 0) {
      text += ", ";
    }
    text += names[i];
  }
  return text;
}

std::string OptionUsage(const OptionRule& option, const CommandRule& command) {
  switch (option.value) {
    case OptionValue::kFormat: {
      std::string text = std::string(option.name) + "=";
      for (const Format format : FormatsOf(command)) {
        if (text.back() != '=') text += "|";
        text += FormatName(format);
      }
      return text;
    }
    case OptionValue::kFile:
      return std::string(option.short_name.empty() ? option.name
                                                   : option.short_name) +
             " " + std::string(option.value_name);
    case OptionValue::kNone:
      break;
  }
  return std::string(option.name);
}

std::string OptionsText(const CommandRule& command) {
  std::vector<std::string> names;
  for (const Option option : command.options) {
    names.push_back(OptionUsage(RuleOf(option), command));
  }
  names.emplace_back("--help");
  if (command.command == Command::kNone) names.emplace_back("--version");
  return JoinedForText(names, "and");
}

std::vector<Word> ReadWords(const std::vector<std::string>& args) {
  std::vector<Word> words;
  bool options_ended = false;
  bool command_seen = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    Word word;
    word.text = args[i];
    const std::string& arg = args[i];
    if (options_ended || arg.size() < 2 || arg[0] != '-') {
      word.role = command_seen ? Word::Role::kOperand : Word::Role::kCommand;
      command_seen = true;
    } else if (arg == "--") {
      word.role = Word::Role::kEndOfOptions;
      options_ended = true;
    } else if ((word.option = OptionIn(arg, word.value)) == nullptr) {
      word.role = Word::Role::kUnknownOption;
    } else {
      word.role = Word::Role::kOption;
      if (word.option->value != OptionValue::kNone && !word.value &&
          i + 1 < args.size()) {
        word.value = args[++i];
      }
    }
    words.push_back(std::move(word));
  }
  return words;
}

}  // namespace tivok::cli
