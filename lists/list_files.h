#pragma once
// Names of the files of lists: the first free file name for a new list, a file's base name, and
// which names can name a list.

#include "base/text_value.h"

namespace lists {

// The first path folder + separator + base + [N] + "." + extension (base and extension taken from
// `fileName`, N = nothing, 1, 2, ...) where no file exists. The folder is created first, prefix by
// prefix (a drive such as "C:" is left alone), stopping at the first folder that cannot be made.
// A file name without "." gets no extension: "F", "F1", ...
base::TextValue uniqueFilePath(const base::TextValue& folder, const base::TextValue& fileName);

// The text after the last "\" or "/" without the part from its last "." on; the whole name when it
// has no ".". Double-byte characters are stepped over, so a second byte 0x5C is no separator.
base::TextValue fileBaseName(const base::TextValue& path);

// Whether `name` can name a list: a file name of its own (not empty, no folder separators or
// characters that file names cannot hold, not "." or "..").
bool isUsableListName(const base::TextValue& name);

}  // namespace lists
