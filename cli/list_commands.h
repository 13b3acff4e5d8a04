#pragma once
#include <span>
#include <string>

#include "cli/command.h"

namespace cli {

// list export RUNDIR LIST [--format csv|json]: the list's live records as display texts, one
// column per field of the list's form copy, titled by the field's name. CSV (the default) is UTF-8
// with a byte-order mark; JSON is {"columns": [names], "rows": [[texts], ...]}.
int listExport(std::span<const std::string> args, CommandOutput& output);

// list create RUNDIR FORM: a new list made from form FORM of the run folder's form library (its
// 1-based number or its name; the library holds the sample form when it is empty), as the
// program makes one: its database in the data folder, its form copy, and its items at the end of
// the tree file. Prints the list's name.
int listCreate(std::span<const std::string> args, CommandOutput& output);

}  // namespace cli
