#pragma once
#include <span>
#include <string>

#include "cli/command.h"

namespace cli {

// list export RUNDIR LIST [--format csv|json]: the list's live records as display texts, one
// column per field of the list's form copy, titled by the field's name. CSV (the default) is UTF-8
// with a byte-order mark; JSON is {"columns": [names], "rows": [[texts], ...]}.
int listExport(std::span<const std::string> args, CommandOutput& output);

}  // namespace cli
