#include "cli/forms_commands.h"

#include "cli/arguments.h"
#include "cli/json_writer.h"
#include "cli/text_encoding.h"
#include "forms/field_text.h"

namespace cli {

int formsParse(std::span<const std::string> args, CommandOutput& output) {
  Arguments a(args, {"--attrs"}, {});
  std::string attrs = a.value("--attrs").value_or("5");
  if (!a.ok() || a.positional().size() != 1 || (attrs != "5" && attrs != "6")) {
    output.err += "usage error: forms parse TEXT [--attrs 5|6]\n";
    return kUsageError;
  }
  const int attributeCount = attrs == "6" ? forms::kListCopyAttributes : forms::kLibraryAttributes;
  JsonWriter json;
  json.beginArray();
  for (const forms::FieldDefinition& field :
       forms::parseFieldSpecText(toSystemText(a.positional()[0]), attributeCount)) {
    json.beginObject();
    json.key("name").string(toUtf8(field.name));
    json.key("kind").number(std::int64_t{field.kind});
    json.key("length").number(std::int64_t{field.length});
    json.key("link").number(std::int64_t{field.link});
    json.key("key").boolean(field.key);
    json.key("columnWidth").number(std::int64_t{field.columnWidth});
    json.endObject();
  }
  json.endArray();
  output.out += json.finish();
  return kSuccess;
}

}  // namespace cli
