#pragma once
// CellTexts: the cell texts of one grid row in one block of memory: the count, the end of each text,
// then the texts' bytes one after the other. A row costs one allocation (none when it has no cells)
// and a few bytes beyond its texts, where a vector of strings costs a string header for every cell
// and an allocation for every text longer than fits in one.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_value.h"

namespace grid {

// Cell texts gathered one after the other, for a CellTexts made in one go. Its buffers are kept
// from one row to the next.
class CellTextsBuilder {
 public:
  void clear() {
    bytes_.clear();
    ends_.clear();
  }
  // Copies the text at once: it may lie in memory that changes afterwards.
  void add(std::string_view text) {
    bytes_.append(text);
    ends_.push_back(static_cast<std::uint32_t>(bytes_.size()));
  }
  std::size_t size() const { return ends_.size(); }
  std::string_view operator[](std::size_t i) const {
    const std::uint32_t start = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(bytes_).substr(start, ends_[i] - start);
  }

 private:
  friend class CellTexts;
  std::string bytes_;
  std::vector<std::uint32_t> ends_;
};

class CellTexts {
 public:
  CellTexts() = default;
  CellTexts(const std::vector<base::TextValue>& texts);  // NOLINT: rows are made from lists of texts
  CellTexts(const CellTextsBuilder& built);              // NOLINT
  CellTexts(std::initializer_list<std::string_view> texts);
  CellTexts(const CellTexts& other);
  CellTexts& operator=(const CellTexts& other);
  CellTexts(CellTexts&&) noexcept = default;
  CellTexts& operator=(CellTexts&&) noexcept = default;

  std::size_t size() const { return block_ ? header()[0] : 0; }
  bool empty() const { return size() == 0; }
  // Text i (i < size()); valid until the texts change.
  std::string_view operator[](std::size_t i) const;
  std::vector<base::TextValue> texts() const;

  // Changes rebuild the block.
  void set(std::size_t i, std::string_view text);
  // New cells are empty.
  void resize(std::size_t count);
  void insert(std::size_t i, std::string_view text);
  void erase(std::size_t i);

  // The block's bytes, and the bytes of the texts alone.
  std::size_t blockBytes() const;
  std::size_t textBytes() const;
  const void* blockAddress() const { return block_.get(); }

  bool operator==(const CellTexts& other) const;

 private:
  // The block: count, then the end offset of each text within the bytes, then the bytes.
  const std::uint32_t* header() const { return reinterpret_cast<const std::uint32_t*>(block_.get()); }
  const char* bytes() const { return block_.get() + (size() + 1) * sizeof(std::uint32_t); }
  // Makes the block anew from a list of texts (strings or views), which may lie in the old block.
  template <typename Texts>
  void rebuild(const Texts& texts);
  std::vector<std::string_view> views() const;

  std::unique_ptr<char[]> block_;
};

}  // namespace grid
