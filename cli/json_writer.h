#pragma once
// A small writer of one JSON document. Strings are given as UTF-8.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

class JsonWriter {
 public:
  JsonWriter& beginObject();
  JsonWriter& endObject();
  JsonWriter& beginArray();
  JsonWriter& endArray();
  // The name of the next member of the object being written.
  JsonWriter& key(std::string_view name);
  JsonWriter& string(std::string_view utf8);
  JsonWriter& number(std::int64_t value);
  // The shortest text that reads back as the same double; null for NaN and infinities.
  JsonWriter& number(double value);
  // The shortest text that reads back as the same single-precision value; null as above.
  JsonWriter& number(float value);
  JsonWriter& boolean(bool value);
  JsonWriter& null();

  // The document followed by a line break.
  std::string finish() const { return text_ + "\n"; }

 private:
  void beforeValue();
  std::string text_;
  std::vector<bool> needComma_;  // per open container
  bool afterKey_ = false;
};

}  // namespace cli
