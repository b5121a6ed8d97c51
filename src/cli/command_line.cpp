#include "cli/command_line.h"

#include <array>
#include <string_view>
#include <utility>

#include "editor/words.h"

namespace tivok::cli {
namespace {

constexpr std::array<std::pair<std::string_view, Command>, 7> kCommands = {{
    {"list", Command::kList},
    {"get", Command::kGet},
    {"set", Command::kSet},
    {"apply", Command::kApply},
    {"diff", Command::kDiff},
    {"items", Command::kItems},
    {"checksum", Command::kChecksum},
}};

constexpr char kCommandNames[] =
    "list, get, set, apply, diff, items and checksum";

// The fewest and most operands each command takes.
std::pair<std::size_t, std::size_t> OperandRange(Command command) {
  switch (command) {
    case Command::kList:
      return {1, 2};
    case Command::kChecksum:
      return {1, 1};
    case Command::kGet:
      return {3, 3};
    case Command::kSet:
      return {4, 4};
    case Command::kApply:
      return {2, 2};
    case Command::kDiff:
      return {2, 3};
    case Command::kItems:
    case Command::kNone:
      break;
  }
  return {0, 0};
}

std::string OptionsOf(Command command) {
  switch (command) {
    case Command::kList:
    case Command::kItems:
      return "--format=table|csv|json and --help";
    case Command::kSet:
    case Command::kApply:
      return "--dry-run and --help";
    case Command::kDiff:
      return "--format=table|csv|json, --exit-code and --help";
    case Command::kGet:
    case Command::kChecksum:
      return "--help";
    case Command::kNone:
      break;
  }
  return "--help and --version";
}

// The commands that take --format (kNone: not known yet).
bool TakesFormat(Command command) {
  return command == Command::kList || command == Command::kDiff ||
         command == Command::kItems || command == Command::kNone;
}

bool ReadFormat(std::string_view name, Format& format) {
  if (name == "table") {
    format = Format::kTable;
  } else if (name == "csv") {
    format = Format::kCsv;
  } else if (name == "json") {
    format = Format::kJson;
  } else {
    return false;
  }
  return true;
}

}  // namespace

std::string CommandName(Command command) {
  for (const auto& [name, each] : kCommands) {
    if (each == command) return std::string(name);
  }
  return "";
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  ParsedCommandLine parsed;
  Invocation& invocation = parsed.invocation;
  std::string error;
  auto note = [&error](std::string text) {
    if (error.empty()) error = std::move(text);
  };
  bool options_ended = false;
  bool command_seen = false;
  std::string format_name;
  bool format_given = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool is_option = !options_ended && arg.size() > 1 && arg[0] == '-';
    if (!is_option) {
      if (command_seen) {
        invocation.operands.push_back(arg);
        continue;
      }
      command_seen = true;
      for (const auto& [name, command] : kCommands) {
        if (arg == name) invocation.command = command;
      }
      if (invocation.command == Command::kNone) {
        note("unknown command " + Echoed(arg) + "; the commands are " +
             kCommandNames);
      }
      continue;
    }
    if (arg == "--") {
      options_ended = true;
    } else if (arg == "-h" || arg == "--help") {
      invocation.help = true;
    } else if (arg == "-v" || arg == "--version") {
      invocation.version = true;
    } else if (arg == "--dry-run") {
      invocation.dry_run = true;
    } else if (arg == "--exit-code") {
      invocation.exit_code = true;
    } else if (arg == "--format" || arg.starts_with("--format=")) {
      format_given = true;
      if (arg == "--format") {
        if (i + 1 == args.size()) {
          note("--format needs a format: table, csv or json");
          continue;
        }
        format_name = args[++i];
      } else {
        format_name = arg.substr(9);
      }
      if (!ReadFormat(format_name, invocation.format)) {
        note("unknown format " + Echoed(format_name) +
             "; the formats are table, csv and json");
      }
    } else {
      note("unknown option " + Echoed(arg));
    }
  }
  if (invocation.version || invocation.help) return parsed;

  const Command command = invocation.command;
  if (format_given && !TakesFormat(command)) {
    note("--format is an option of list, diff and items only");
  }
  if (invocation.dry_run && command != Command::kSet &&
      command != Command::kApply && command != Command::kNone) {
    note("--dry-run is an option of set and apply only");
  }
  if (invocation.exit_code && command != Command::kDiff &&
      command != Command::kNone) {
    note("--exit-code is an option of diff only");
  }
  if (error.starts_with("unknown option")) {
    error += "; the options are " + OptionsOf(command);
  }
  if (error.empty() && !command_seen) {
    note(std::string("no command given; the commands are ") + kCommandNames);
  }
  const auto [fewest, most] = OperandRange(command);
  if (command_seen && command != Command::kNone &&
      invocation.operands.size() < fewest) {
    note("too few arguments");
  } else if (command_seen && command != Command::kNone &&
             invocation.operands.size() > most) {
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
