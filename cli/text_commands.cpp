#include "cli/text_commands.h"

#include "base/date_time.h"
#include "cli/json_writer.h"
#include "cli/text_encoding.h"

namespace cli {

int textDate(std::span<const std::string> args, CommandOutput& output) {
  if (args.size() != 1) {
    output.err += "usage error: text date TEXT\n";
    return kUsageError;
  }
  const base::DateTimeValue value = base::textToDateTime(toSystemText(args[0]));
  JsonWriter json;
  json.beginObject();
  json.key("value").number(value);
  json.key("display").string(toUtf8(base::dateTimeText(value)));
  json.endObject();
  output.out += json.finish();
  return kSuccess;
}

}  // namespace cli
