// grabwell-tool: the program's image and mail roads from the command line.
//   grabwell-tool COMMAND ARGUMENTS...
#include <iostream>
#include <string_view>

#include "tool/commands.h"

namespace {

struct TSubcommand {
  std::string_view name;
  int (*run)(const TArguments& args, std::ostream& out, std::ostream& err);
  const char* usage;
};

// One line per subcommand.
constexpr TSubcommand kSubcommands[] = {
    {"convert", ConvertCommand, kConvertUsage},
    {"mail", MailCommand, kMailUsage},
};

int Usage(std::ostream& stream) {
  stream << "usage:\n";
  for (const TSubcommand& command : kSubcommands) stream << "  grabwell-tool " << command.usage << "\n";
  return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage(std::cerr);
  const std::string_view name = argv[1];
  if (name == "--help" || name == "-h" || name == "help") {
    Usage(std::cout);
    return kExitOK;
  }
  for (const TSubcommand& command : kSubcommands) {
    if (command.name == name) return command.run(TArguments(argv + 2, argv + argc), std::cout, std::cerr);
  }
  std::cerr << "grabwell-tool: unknown command " << name << "\n";
  return Usage(std::cerr);
}
