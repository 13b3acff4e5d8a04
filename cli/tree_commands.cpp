#include "cli/tree_commands.h"

#include "cli/arguments.h"
#include "cli/json_writer.h"
#include "cli/text_encoding.h"
#include "lists/tree_file.h"
#include "platform/file.h"

namespace cli {

int treeDump(std::span<const std::string> args, CommandOutput& output) {
  Arguments a(args, {}, {});
  if (!a.ok()) return usageError(output, a.error());
  if (a.positional().size() != 1) return usageError(output, "tree dump FILE");
  std::string bytes;
  const int read = platform::readWholeFile(toPathText(a.positional()[0]), bytes);
  if (read != platform::kFileOk) return fileFailure(output, "read", a.positional()[0], read);
  const lists::TreeFileContent content = lists::decodeTreeFile(bytes);
  JsonWriter json;
  json.beginArray();
  for (const lists::TreeFileRecord& record : content.records) {
    const ui::TreeItem& item = record.info.item;
    json.beginObject();
    json.key("text").string(toUtf8(item.text));
    json.key("image").number(std::int64_t{item.image});
    json.key("selectedImage").number(std::int64_t{item.selectedImage});
    json.key("data").number(std::int64_t{item.data});
    json.key("state").number(std::int64_t{record.state});
    json.key("level").number(std::int64_t{record.info.level});
    json.endObject();
  }
  json.endArray();
  output.out += json.finish();
  if (content.cut) {
    output.err += "error: the tree file holds more than " + std::to_string(lists::kMaxTreeItems) +
                  " items; the first of them are shown\n";
    return kFailure;
  }
  if (!content.damaged) return kSuccess;
  // What could be read is printed; the damage makes the dump fail.
  output.err += "error: the tree file is damaged after item " + std::to_string(content.records.size()) + "\n";
  return kFailure;
}

}  // namespace cli
