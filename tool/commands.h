// The subcommands of grabwell-tool. Each gets the arguments after its name
// and returns the process exit code; messages go to `out` and `err`.
// main.cpp lists them in its table of subcommands.
#pragma once

#include <ostream>
#include <string>
#include <vector>

using TArguments = std::vector<std::string>;

// Exit codes shared by the subcommands.
inline constexpr int kExitOK = 0;
inline constexpr int kExitFailed = 1;  // the work itself failed (bad file, I/O error)
inline constexpr int kExitUsage = 2;   // bad arguments

// convert IN OUT [--encoding rle|lzw] [--reduction 0-9] [--dither 0-6] [--bits N]
int ConvertCommand(const TArguments& args, std::ostream& out, std::ostream& err);
inline constexpr const char* kConvertUsage =
    "convert IN OUT [--encoding rle|lzw] [--reduction 0-9] [--dither 0-6] [--bits 1-8]";

// mail --server HOST[:PORT] --from ADDR --to ADDR [...] FILE
int MailCommand(const TArguments& args, std::ostream& out, std::ostream& err);
inline constexpr const char* kMailUsage =
    "mail --server HOST[:PORT] --from ADDR [--from-name NAME] --to ADDR [--to-name NAME] [--subject TEXT] "
    "[--text TEXT | --text-file FILE] [--uu] [--timeout S] FILE";
