#ifndef TIVOK_CLI_GRAMMAR_H_
#define TIVOK_CLI_GRAMMAR_H_

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tivok::cli {

// tivok-cli's command line as data, in this one place: the commands, each
// with its operands and options, and the options with their values.
// ParseCommandLine reads command lines by it, `tivok-cli __complete`
// completes them by it, and the usage lines and usage errors are written
// from it.

enum class Command {
  kNone,
  kList,
  kGet,
  kSet,
  kApply,
  kDiff,
  kItems,
  kChecksum
};
enum class Format { kTable, kCsv, kJson, kIps, kBps };

// What an operand names, which says how it is completed.
enum class OperandKind {
  kImage,   // a cartridge image: IMAGE, CLEAN
  kLayout,  // a layout or patch file, or "-" for standard input
  kStore,   // a store's number, word or label
  kSlot,    // a slot of the store named before it, from 1
  kItem,    // an item's name, or its code in hex
};

struct Operand {
  std::string_view name;  // as the usage line writes it: "IMAGE"
  OperandKind kind;
};

enum class Option {
  kHelp,
  kVersion,
  kFormat,
  kDryRun,
  kExitCode,
  kOutput,
  kFixChecksum,
  kFix,
  kClean,
};

// What an option takes after "=" or as the next word.
enum class OptionValue { kNone, kFormat, kFile };

struct OptionRule {
  Option option;
  std::string_view name;        // "--format"
  std::string_view short_name;  // "-o"; empty for none
  OptionValue value;
  std::string_view value_name = {};  // a file's, as usage shows it: "FILE"
};

struct CommandRule {
  Command command;
  std::string_view name;
  std::span<const Operand> operands;
  std::size_t required;             // how many operands must be given
  std::span<const Option> options;  // beside --help and --version, which
                                    // every command takes
  std::span<const Format> formats;  // what --format takes, if an option
};

// The commands in the order that help lists them.
std::span<const CommandRule> Commands();
// The command called `name`, or nullptr.
const CommandRule* FindCommand(std::string_view name);
// kNone's rule has no operands and no options.
const CommandRule& RuleOf(Command command);
// The command's name, such as "list"; empty for none.
std::string CommandName(Command command);

// Every option, in the order in which usage errors name them.
std::span<const OptionRule> Options();
const OptionRule& RuleOf(Option option);
// Whether `command` takes `option`; every command takes --help and
// --version.
bool Takes(const CommandRule& command, Option option);

std::string_view FormatName(Format format);
// The format called `name` exactly, taken by some command.
std::optional<Format> FormatNamed(std::string_view name);
// What --format takes with `command`; with none, every format.
std::vector<Format> FormatsOf(const CommandRule& command);

// "list, get and set": `names` joined for a sentence, the last two by
// `conjunction`.
std::string JoinedForText(const std::vector<std::string>& names,
                          std::string_view conjunction);
// How the usage line shows an option: "--format=table|csv|json",
// "-o FILE", "--clean CLEAN", "--dry-run".
std::string OptionUsage(const OptionRule& option, const CommandRule& command);
// The options that `command` takes, for a usage error: "--dry-run,
// --fix-checksum and --help"; for none, "--help and --version".
std::string OptionsText(const CommandRule& command);

// What one word of a command line is. Options may stand before or after
// the command and its operands; "--" ends them, and "-" is an operand.
struct Word {
  enum class Role {
    kCommand,        // the first word that is no option
    kOperand,        // each word after it that is no option
    kOption,         // `option`, with its `value` if it takes one
    kEndOfOptions,   // "--"
    kUnknownOption,  // a word that begins with a dash and names no option
  };
  Role role = Role::kOperand;
  std::string text;  // the word as given, an option's value within it
  const OptionRule* option = nullptr;
  // The option's value: after "=" or its short name in the same word, or
  // the next word. Nothing when the option takes none, or none followed.
  std::optional<std::string> value;
};

// The words of `args`, the arguments after the program's name; an option
// whose value is the next word takes that word in.
std::vector<Word> ReadWords(const std::vector<std::string>& args);

}  // namespace tivok::cli

#endif  // TIVOK_CLI_GRAMMAR_H_
