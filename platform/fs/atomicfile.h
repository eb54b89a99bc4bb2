// Replacing a file whole.
//
// The new contents go to a temporary file in the same folder, are flushed to the disk, and then
// take the file's name in one step, so a reader or a crash sees either the old file or the new
// one, never a truncated mix. Paths may be Windows paths (see winpath.h).
#pragma once

#include <string_view>

// Writes the bytes as they are. False when anything failed; the old file is then unchanged and no
// temporary file is left behind.
bool WriteFileAtomically(std::string_view path, std::string_view bytes);

// As WriteFileAtomically, in text mode: every LF is written as CR LF.
bool WriteTextFileAtomically(std::string_view path, std::string_view text);
