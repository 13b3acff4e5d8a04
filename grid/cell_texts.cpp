#include "grid/cell_texts.h"

#include <cstring>

namespace grid {

template <typename Texts>
void CellTexts::rebuild(const Texts& texts) {
  if (texts.empty()) {
    block_.reset();
    return;
  }
  std::size_t total = 0;
  for (std::string_view text : texts) total += text.size();
  const std::size_t headerBytes = (texts.size() + 1) * sizeof(std::uint32_t);
  auto block = std::make_unique_for_overwrite<char[]>(headerBytes + total);
  auto* header = reinterpret_cast<std::uint32_t*>(block.get());
  header[0] = static_cast<std::uint32_t>(texts.size());
  char* out = block.get() + headerBytes;
  std::uint32_t end = 0;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (!texts[i].empty()) std::memcpy(out + end, texts[i].data(), texts[i].size());
    end += static_cast<std::uint32_t>(texts[i].size());
    header[i + 1] = end;
  }
  block_ = std::move(block);  // after the copies: the texts may lie in the old block
}

CellTexts::CellTexts(const std::vector<base::TextValue>& texts) { rebuild(texts); }

CellTexts::CellTexts(std::initializer_list<std::string_view> texts) {
  rebuild(std::vector<std::string_view>(texts));
}

CellTexts::CellTexts(const CellTextsBuilder& built) {
  if (built.ends_.empty()) return;
  const std::size_t headerBytes = (built.ends_.size() + 1) * sizeof(std::uint32_t);
  block_ = std::make_unique_for_overwrite<char[]>(headerBytes + built.bytes_.size());
  auto* header = reinterpret_cast<std::uint32_t*>(block_.get());
  header[0] = static_cast<std::uint32_t>(built.ends_.size());
  std::memcpy(header + 1, built.ends_.data(), built.ends_.size() * sizeof(std::uint32_t));
  if (!built.bytes_.empty()) std::memcpy(block_.get() + headerBytes, built.bytes_.data(), built.bytes_.size());
}

CellTexts::CellTexts(const CellTexts& other) {
  if (!other.block_) return;
  const std::size_t size = other.blockBytes();
  block_ = std::make_unique_for_overwrite<char[]>(size);
  std::memcpy(block_.get(), other.block_.get(), size);
}

CellTexts& CellTexts::operator=(const CellTexts& other) {
  if (this != &other) *this = CellTexts(other);
  return *this;
}

std::string_view CellTexts::operator[](std::size_t i) const {
  const std::uint32_t* ends = header() + 1;
  const std::uint32_t start = i == 0 ? 0 : ends[i - 1];
  return {bytes() + start, ends[i] - start};
}

std::vector<std::string_view> CellTexts::views() const {
  std::vector<std::string_view> all;
  all.reserve(size());
  for (std::size_t i = 0; i < size(); ++i) all.push_back((*this)[i]);
  return all;
}

std::vector<base::TextValue> CellTexts::texts() const {
  std::vector<base::TextValue> all;
  all.reserve(size());
  for (std::size_t i = 0; i < size(); ++i) all.emplace_back((*this)[i]);
  return all;
}

void CellTexts::set(std::size_t i, std::string_view text) {
  std::vector<std::string_view> all = views();
  if (i >= all.size()) return;
  all[i] = text;
  rebuild(all);
}

void CellTexts::resize(std::size_t count) {
  if (count == size()) return;
  std::vector<std::string_view> all = views();
  all.resize(count);
  rebuild(all);
}

void CellTexts::insert(std::size_t i, std::string_view text) {
  std::vector<std::string_view> all = views();
  if (i > all.size()) return;
  all.insert(all.begin() + static_cast<std::ptrdiff_t>(i), text);
  rebuild(all);
}

void CellTexts::erase(std::size_t i) {
  std::vector<std::string_view> all = views();
  if (i >= all.size()) return;
  all.erase(all.begin() + static_cast<std::ptrdiff_t>(i));
  rebuild(all);
}

std::size_t CellTexts::blockBytes() const {
  if (!block_) return 0;
  return (size() + 1) * sizeof(std::uint32_t) + textBytes();
}

std::size_t CellTexts::textBytes() const { return block_ ? header()[size()] : 0; }

bool CellTexts::operator==(const CellTexts& other) const {
  if (size() != other.size()) return false;
  for (std::size_t i = 0; i < size(); ++i) {
    if ((*this)[i] != other[i]) return false;
  }
  return true;
}

}  // namespace grid
