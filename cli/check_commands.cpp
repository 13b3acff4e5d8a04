#include "cli/check_commands.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <system_error>

#include "base/number_text.h"
#include "checks/duration_text.h"
#include "checks/http_client.h"
#include "cli/arguments.h"
#include "cli/text_encoding.h"

namespace cli {
namespace {

// A whole decimal number of the type's range, an optional minus sign and digits, nothing else.
template <typename Integer>
std::optional<Integer> parseWhole(const std::string& text) {
  Integer value{};
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

}  // namespace

int probe(std::span<const std::string> args, CommandOutput& output) {
  Arguments a(args, {"--wait"}, {});
  if (!a.ok()) return usageError(output, a.error());
  if (a.positional().size() != 1) return usageError(output, "probe URL [--wait S]");
  std::int32_t waitSeconds = 0;
  if (std::optional<std::string> wait = a.value("--wait")) {
    std::optional<std::int32_t> seconds = parseWhole<std::int32_t>(*wait);
    if (!seconds) return usageError(output, "not a number of seconds: " + *wait);
    waitSeconds = *seconds;
  }
  checks::HttpClient client;
  const std::int32_t status = client.probeStatus(toSystemText(a.positional()[0]), waitSeconds);
  output.out += toUtf8(base::formatInteger(status)) + "\n";
  return status != 0 ? kSuccess : kFailure;
}

int textDuration(std::span<const std::string> args, CommandOutput& output) {
  if (args.size() != 1) return usageError(output, "text duration MS");
  std::optional<std::int64_t> milliseconds = parseWhole<std::int64_t>(args[0]);
  if (!milliseconds) return usageError(output, "not a whole number of milliseconds: " + args[0]);
  output.out += toUtf8(checks::durationText(*milliseconds)) + "\n";
  return kSuccess;
}

}  // namespace cli
