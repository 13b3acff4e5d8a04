#pragma once
// The process's own command line and standard streams, and running another program.

#include <string>
#include <vector>

namespace platform {

// The program's arguments as UTF-8, the program name first. On Windows they are taken from the
// wide command line, so non-ASCII arguments arrive whatever the system code page; elsewhere they
// are argv as given.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// Puts stdin, stdout and stderr in binary mode, so bytes pass unchanged ("\n" stays "\n").
void useBinaryStandardStreams();

// Starts `program` (UTF-8 path) with `arguments` (UTF-8, quoted as needed), waits for it to end
// and returns its exit code; -1 when it could not be started.
int runProcess(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace platform
