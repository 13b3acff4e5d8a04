#pragma once
// The filing of key values in the tree of lists: a list of `records` records whose key field takes
// `distinct` values is opened, and every record's value is filed under the key field's item.

#include <optional>
#include <string>

namespace bench {

struct ValueFiling {
  double milliseconds = 0;
  int valueItems = 0;  // the value items the tree holds afterwards
};

// Runs the filing in a list made under `runFolder` (GBK); nothing (and `error` set) when the list
// could not be made.
std::optional<ValueFiling> timeValueFiling(const std::string& runFolder, int records, int distinct,
                                           std::string& error);

}  // namespace bench
