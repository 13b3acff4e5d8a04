#include "cli/json_writer.h"

#include <charconv>
#include <cmath>

namespace cli {

void JsonWriter::beforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!needComma_.empty()) {
    if (needComma_.back()) text_ += ',';
    needComma_.back() = true;
  }
}

JsonWriter& JsonWriter::beginObject() {
  beforeValue();
  text_ += '{';
  needComma_.push_back(false);
  return *this;
}

JsonWriter& JsonWriter::endObject() {
  text_ += '}';
  needComma_.pop_back();
  return *this;
}

JsonWriter& JsonWriter::beginArray() {
  beforeValue();
  text_ += '[';
  needComma_.push_back(false);
  return *this;
}

JsonWriter& JsonWriter::endArray() {
  text_ += ']';
  needComma_.pop_back();
  return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
  string(name);
  text_ += ':';
  afterKey_ = true;
  return *this;
}

JsonWriter& JsonWriter::string(std::string_view utf8) {
  beforeValue();
  text_ += '"';
  for (char c : utf8) {
    switch (c) {
      case '"': text_ += "\\\""; break;
      case '\\': text_ += "\\\\"; break;
      case '\n': text_ += "\\n"; break;
      case '\r': text_ += "\\r"; break;
      case '\t': text_ += "\\t"; break;
      case '\b': text_ += "\\b"; break;
      case '\f': text_ += "\\f"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          static constexpr char kHex[] = "0123456789abcdef";
          text_ += "\\u00";
          text_ += kHex[(c >> 4) & 0xF];
          text_ += kHex[c & 0xF];
        } else {
          text_ += c;
        }
    }
  }
  text_ += '"';
  return *this;
}

JsonWriter& JsonWriter::number(std::int64_t value) {
  beforeValue();
  char buffer[24];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  (void)error;
  text_.append(buffer, end);
  return *this;
}

namespace {

template <typename Real>
void appendShortest(std::string& text, Real value) {
  char buffer[32];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  (void)error;
  text.append(buffer, end);
}

}  // namespace

JsonWriter& JsonWriter::number(double value) {
  if (!std::isfinite(value)) return null();
  beforeValue();
  appendShortest(text_, value);
  return *this;
}

JsonWriter& JsonWriter::number(float value) {
  if (!std::isfinite(value)) return null();
  beforeValue();
  appendShortest(text_, value);
  return *this;
}

JsonWriter& JsonWriter::boolean(bool value) {
  beforeValue();
  text_ += value ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::null() {
  beforeValue();
  text_ += "null";
  return *this;
}

}  // namespace cli
