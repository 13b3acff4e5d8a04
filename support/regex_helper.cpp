#include "support/regex_helper.h"

#include <limits>
#include <regex>

#include "support/regex_text.h"

namespace support {

namespace {

// libstdc++ matches without recursion over the subject (and in polynomial time) when asked to; it
// then refuses back-references when compiling.
#if defined(__GLIBCXX__)
constexpr std::regex_constants::syntax_option_type kWithoutBacktracking = std::regex_constants::__polynomial;
#else
constexpr std::regex_constants::syntax_option_type kWithoutBacktracking{};
#endif

base::TextValue errorTextOf(std::regex_constants::error_type code) {
  using namespace std::regex_constants;
  switch (code) {
    case error_collate: return "正则表达式有误：无效的排序元素名";
    case error_ctype: return "正则表达式有误：无效的字符类名";
    case error_escape: return "正则表达式有误：无效的转义";
    case error_backref: return "正则表达式有误：无效的反向引用";
    case error_brack: return "正则表达式有误：方括号不成对";
    case error_paren: return "正则表达式有误：圆括号不成对";
    case error_brace: return "正则表达式有误：花括号不成对";
    case error_badbrace: return "正则表达式有误：花括号中的次数无效";
    case error_range: return "正则表达式有误：无效的字符范围";
    case error_space: return "正则表达式过于复杂";
    case error_badrepeat: return "正则表达式有误：重复符号前没有可重复的内容";
    case error_complexity: return "正则表达式有误：不支持反向引用";
    default: return "正则表达式有误";
  }
}

int clampToInt(std::size_t value) {
  return value > static_cast<std::size_t>(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                           : static_cast<int>(value);
}

// The character rules of the patterns, the same on every platform whatever its C library thinks
// of characters beyond ASCII: the named classes (\d, \w, \s, [:alpha:] …) hold ASCII characters
// only, so \d is 0-9 and a Chinese character is neither a word character nor a digit; ignoring
// case folds the ASCII letters.
struct PatternTraits : std::regex_traits<wchar_t> {
  bool isctype(wchar_t c, char_class_type classes) const {
    return c < 0x80 && std::regex_traits<wchar_t>::isctype(c, classes);
  }
  wchar_t translate_nocase(wchar_t c) const {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
  }
};

using Units = std::wstring::const_iterator;
using UnitMatch = std::match_results<Units>;
using Pattern = std::basic_regex<wchar_t, PatternTraits>;

}  // namespace

struct RegexHelper::Compiled {
  base::TextValue pattern;
  RegexOptions options;
  Pattern regex;

  // Calls visit(match) for each match in `text` (only the first unless global); false when the
  // engine gave up (it ran out of memory).
  template <typename Visit>
  bool eachMatch(const RegexText& text, Visit visit) const {
    try {
      std::regex_iterator<Units, wchar_t, PatternTraits> next(text.units.begin(), text.units.end(), regex), end;
      for (; next != end; ++next) {
        visit(*next);
        if (!options.global) break;
      }
      return true;
    } catch (const std::exception&) {
      return false;
    }
  }
};

bool RegexHelper::create(const base::TextValue& pattern, RegexOptions options) {
  regex_.reset();
  error_.clear();
  auto flags = std::regex::ECMAScript | kWithoutBacktracking;
  if (options.ignoreCase) flags |= std::regex::icase;
  if (options.multiline) flags |= std::regex::multiline;
  try {
    regex_ = std::make_shared<const Compiled>(Compiled{pattern, options, Pattern(toRegexText(pattern).units, flags)});
    return true;
  } catch (const std::regex_error& error) {
    error_ = errorTextOf(error.code());
  } catch (const std::exception&) {
    error_ = errorTextOf(std::regex_constants::error_space);
  }
  return false;
}

base::TextValue RegexHelper::pattern() const { return regex_ ? regex_->pattern : base::TextValue(); }

int RegexHelper::execute(const base::TextValue& subject) {
  auto matches = std::make_shared<std::vector<Found>>();
  if (regex_) {
    RegexText text = toRegexText(subject);
    auto begin = text.units.begin();
    bool finished = regex_->eachMatch(text, [&](const UnitMatch& match) {
      Found found;
      auto first = static_cast<std::size_t>(match[0].first - begin);
      found.value = text.bytes(subject, first, static_cast<std::size_t>(match[0].second - begin));
      found.firstIndex = clampToInt(text.offsets[first]);
      for (std::size_t group = 1; group < match.size(); ++group) {
        const auto& part = match[group];
        found.subMatches.emplace_back(
            part.matched ? text.bytes(subject, static_cast<std::size_t>(part.first - begin),
                                      static_cast<std::size_t>(part.second - begin))
                         : std::string_view());
      }
      matches->push_back(std::move(found));
    });
    if (!finished) matches->clear();
  }
  matches_ = std::move(matches);
  subject_ = subject;
  return matchCount();
}

namespace {

// Appends the replacement for one match: the replacement text with its $ forms filled in.
void appendReplacement(base::TextValue& out, std::string_view replacement, std::string_view subject,
                       const RegexText& text, const UnitMatch& match) {
  auto begin = text.units.begin();
  auto bytesOf = [&](Units first, Units last) {
    return text.bytes(subject, static_cast<std::size_t>(first - begin), static_cast<std::size_t>(last - begin));
  };
  auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  const std::size_t groups = match.size() - 1;
  for (std::size_t position = 0; position < replacement.size();) {
    std::size_t size = base::characterSize(replacement, position);
    if (replacement[position] != '$' || position + 1 >= replacement.size()) {
      out.append(replacement.substr(position, size));
      position += size;
      continue;
    }
    char next = replacement[position + 1];
    if (next == '$') {
      out += '$';
      position += 2;
    } else if (next == '&') {
      out.append(bytesOf(match[0].first, match[0].second));
      position += 2;
    } else if (next == '`') {
      out.append(bytesOf(begin, match[0].first));
      position += 2;
    } else if (next == '\'') {
      out.append(bytesOf(match[0].second, text.units.end()));
      position += 2;
    } else if (isDigit(next)) {
      // Two digits when they name a group, else one; "$0" and a group that does not exist stay as
      // they are.
      std::size_t number = static_cast<std::size_t>(next - '0');
      std::size_t length = 2;
      if (position + 2 < replacement.size() && isDigit(replacement[position + 2])) {
        std::size_t twoDigits = number * 10 + static_cast<std::size_t>(replacement[position + 2] - '0');
        if (twoDigits >= 1 && twoDigits <= groups) {
          number = twoDigits;
          length = 3;
        }
      }
      if (number >= 1 && number <= groups) {
        if (match[number].matched) out.append(bytesOf(match[number].first, match[number].second));
        position += length;
      } else {
        out += '$';
        ++position;
      }
    } else {
      out += '$';
      ++position;
    }
  }
}

}  // namespace

base::TextValue RegexHelper::replace(const base::TextValue& subject, const base::TextValue& replacement) const {
  if (!regex_) return subject;
  RegexText text = toRegexText(subject);
  base::TextValue out;
  std::size_t copied = 0;  // units of the subject taken over so far
  bool finished = regex_->eachMatch(text, [&](const UnitMatch& match) {
    auto first = static_cast<std::size_t>(match[0].first - text.units.begin());
    out.append(text.bytes(subject, copied, first));
    appendReplacement(out, replacement, subject, text, match);
    copied = static_cast<std::size_t>(match[0].second - text.units.begin());
  });
  if (!finished) return subject;
  out.append(text.bytes(subject, copied, text.units.size()));
  return out;
}

const RegexHelper::Found* RegexHelper::found(int match) const {
  if (!matches_ || match < 1 || static_cast<std::size_t>(match) > matches_->size()) return nullptr;
  return &(*matches_)[static_cast<std::size_t>(match) - 1];
}

int RegexHelper::matchCount() const { return matches_ ? clampToInt(matches_->size()) : 0; }

base::TextValue RegexHelper::matchValue(int match) const {
  const Found* hit = found(match);
  return hit ? hit->value : base::TextValue();
}

base::TextValue RegexHelper::subMatch(int match, int subMatchNumber) const {
  const Found* hit = found(match);
  if (!hit || subMatchNumber < 1 || static_cast<std::size_t>(subMatchNumber) > hit->subMatches.size()) return {};
  return hit->subMatches[static_cast<std::size_t>(subMatchNumber) - 1];
}

int RegexHelper::subMatchCount() const {
  const Found* first = found(1);
  return first ? clampToInt(first->subMatches.size()) : 0;
}

base::TextValue RegexHelper::matchWithIndex(int match, int& firstIndex) const {
  const Found* hit = found(match);
  firstIndex = hit ? hit->firstIndex : -1;
  return matchValue(match);
}

base::TextValue RegexHelper::subMatchWithIndex(int match, int subMatchNumber, int& firstIndex) const {
  const Found* hit = found(match);
  firstIndex = hit ? hit->firstIndex : -1;
  return subMatch(match, subMatchNumber);
}

}  // namespace support
