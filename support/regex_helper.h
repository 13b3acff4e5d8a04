#pragma once
// RegexHelper: regular expressions over GBK texts. Compile a pattern with options, run it over a
// subject, read the matches and their sub-matches, replace, and turn a text into a pattern by
// escaping. The record grid's sort kind 5 strips non-digits with it: create("[^\\d]+") and
// replace(cell, "").
//
// Patterns have the usual syntax: character classes, \d \w \s and their negations, quantifiers
// (greedy and lazy), groups, alternation, anchors, escapes, look-ahead; back-references are not
// supported (such a pattern is refused). Characters are whole GBK characters: "." and classes
// match one Chinese character, never a byte of one; ranges compare Unicode code points
// ("[一-龥]"). The named classes (\d \w \s …) hold ASCII characters only and ignoring case folds
// ASCII letters, the same on every platform. Positions (firstIndex) are byte offsets in the
// subject, as every length of a text in the system.
//
// Matching never recurses over the subject and nested quantifiers cost no more than plain ones:
// from each place a match may start, the time grows with the rest of the subject. A pattern that
// fails late from every place ("a*b" over a long run of "a") therefore takes time growing with the
// square of the subject's length: fine for cell texts, slow for texts of many thousand characters.
//
// Failures are results: a pattern that does not compile makes create() false and leaves the
// helper without an expression (errorText() says why); then execute() finds nothing and
// replace() gives the subject unchanged. Match and sub-match numbers count from 1; asking for
// one that does not exist gives the empty text.
//
// Copies share the compiled expression and the last matches (neither changes once made).

#include <memory>
#include <string_view>
#include <vector>

#include "base/text_value.h"

namespace support {

struct RegexOptions {
  bool ignoreCase = true;
  bool multiline = true;  // ^ and $ also match at line breaks
  bool global = true;     // execute finds, and replace replaces, every match (else the first)
};

class RegexHelper {
 public:
  // A character c is escaped by putting a backslash before every c, the characters taken one after
  // the other in the listed order, the backslash first.
  // Backslash ^ $ + . { } [ ] = ( ) - and the double quote; then every "*" becomes ".*" and every
  // "?" ".?" (a file-name wildcard as a pattern).
  static base::TextValue wildcardToPattern(std::string_view text);
  // Backslash ^ $ + . { } [ ] = ( ) ? * | and the double quote.
  static base::TextValue escapeAll(std::string_view text);
  // As escapeAll, except "|".
  static base::TextValue escapeNoBar(std::string_view text);
  // As escapeNoBar, except "(" and ")".
  static base::TextValue escapeNoGroups(std::string_view text);

  // Compiles the pattern; false when it is not a valid pattern.
  bool create(const base::TextValue& pattern, RegexOptions options = {});
  // Why the last create failed; empty after a success.
  const base::TextValue& errorText() const { return error_; }
  // The pattern compiled, or the empty text when there is none.
  base::TextValue pattern() const;

  // Runs the expression over the subject and keeps its matches (and the subject); the match count.
  int execute(const base::TextValue& subject);
  // The subject with the matches replaced. In the replacement, $& stands for the match, $1 … $99
  // for a sub-match, $` and $' for the subject before and after the match, $$ for "$".
  base::TextValue replace(const base::TextValue& subject, const base::TextValue& replacement) const;

  const base::TextValue& subject() const { return subject_; }
  int matchCount() const;
  base::TextValue matchValue(int match) const;
  base::TextValue subMatch(int match, int subMatchNumber) const;
  // The number of sub-matches (groups) of match 1; 0 when nothing matched.
  int subMatchCount() const;
  // As matchValue; firstIndex receives the match's byte offset in the subject (-1: no such match).
  base::TextValue matchWithIndex(int match, int& firstIndex) const;
  // As subMatch; firstIndex receives the byte offset of the whole match (-1: no such match).
  base::TextValue subMatchWithIndex(int match, int subMatchNumber, int& firstIndex) const;

 private:
  struct Compiled;
  struct Found {
    base::TextValue value;
    int firstIndex = 0;
    std::vector<base::TextValue> subMatches;  // a group that took no part is the empty text
  };
  const Found* found(int match) const;

  std::shared_ptr<const Compiled> regex_;
  std::shared_ptr<const std::vector<Found>> matches_;
  base::TextValue subject_;
  base::TextValue error_;
};

}  // namespace support
