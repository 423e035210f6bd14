#pragma once
// The pieces every tindral-cli command line shares: options as "--name value" or
// "--name=value", "--" before a board whose name starts with "-", and small number values.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "cli/cli_options.h"

namespace tindral::cli {

// Takes the value of the option being read into value; false (with error set) when the
// command line ends before it.
using TakeValue = std::function<bool(std::wstring& value)>;

// Called for every option: arg as given, name without any "=value". Returns false to stop with
// error set.
using OptionFn = std::function<bool(const std::wstring& arg, const std::wstring& name,
                                    const TakeValue& take_value)>;

// Reads args from index first on: words that are not options (and "-") go to positional.
bool read_cli_args(const std::vector<std::wstring>& args, size_t first,
                   std::vector<std::wstring>& positional, std::wstring& error,
                   const OptionFn& on_option);

// Decimal digits only, at most max_digits of them.
bool parse_decimal(const std::wstring& s, size_t max_digits, int32_t& out);

// The one board file among the words after the command's own (from index first on); false,
// with the reason in error, when there is none or more than one.
bool one_board(const std::vector<std::wstring>& positional, size_t first, std::wstring& board,
               std::wstring& error);

// --help prints the help text, --version the version line; true when one of them was asked
// (the command is then done).
bool answer_help_or_version(bool help, bool version, std::FILE* out);

// The switches every command takes: --help (or -h), --version and --strict. True when name is
// one of them, which is then set.
bool take_common_switch(const std::wstring& name, bool& help, bool& version, bool& strict);

// "de" (0) or "en" (1).
bool parse_language_word(const std::wstring& value, unsigned& language, std::wstring& error);

// "top", "bottom" or "both".
bool parse_side_word(const std::wstring& value, SideChoice& out, std::wstring& error);

}  // namespace tindral::cli
