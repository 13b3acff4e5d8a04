#pragma once
// The settings file's side record of changes ("<settings file>.journal"). Before the store rewrites
// the tail of the settings file in place, it appends the change (the offset and the new tail) to
// the side record and flushes it; once the settings file holds the change and is flushed, the side
// record is deleted. A process that stops half-way leaves either a side record whose last change is
// damaged (that change never reached the settings file) or one whose changes all are whole: the
// next open replays them, and the settings file is as before or after every change, never half.
//
// Replaying every whole change in order gives the state after the last one whatever state between
// the first and the last the settings file had reached: each change rewrites everything from its
// offset on, and a change never starts after the place where an earlier unfinished one started.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/text_value.h"

namespace settings {

// The side record's path for the settings file at `settingsPath`.
base::TextValue journalPath(const base::TextValue& settingsPath);

// One change: the settings file's bytes from `offset` on become `tail`.
std::string encodeJournalChange(std::uint64_t offset, std::string_view tail);

struct JournalReplay {
  int changes = 0;                 // whole changes applied
  std::uint64_t firstOffset = 0;   // the smallest offset among them (content differs from there on)
  std::size_t wholeLength = 0;     // the bytes of the side record up to the first damaged change
};

// Applies to `content` every whole change of `journal` in order, up to the first damaged one (a
// torn write, a wrong check sum, an offset beyond any settings file this store keeps).
JournalReplay replayJournal(std::string_view journal, std::string& content);

}  // namespace settings
