#pragma once
// The db commands: create, inspect, dump, edit, pack and check a database file pair.

#include <span>
#include <string>

#include "cli/command.h"

namespace cli {

int dbCreate(std::span<const std::string> args, CommandOutput& output);
int dbInfo(std::span<const std::string> args, CommandOutput& output);
int dbDump(std::span<const std::string> args, CommandOutput& output);
int dbAppend(std::span<const std::string> args, CommandOutput& output);
// db import PATH FILE: appends a record per row of the CSV file FILE (UTF-8) whose first row names
// the fields (N designators); values as db append takes them. Every row is checked before the
// first record is appended. Prints the new records' IDs, one per line.
int dbImport(std::span<const std::string> args, CommandOutput& output);
int dbSet(std::span<const std::string> args, CommandOutput& output);
int dbDelete(std::span<const std::string> args, CommandOutput& output);
int dbPack(std::span<const std::string> args, CommandOutput& output);
// Opens read-only, reads every record and field, prints a short report; fails when damaged.
int dbCheck(std::span<const std::string> args, CommandOutput& output);

}  // namespace cli
