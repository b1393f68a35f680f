// Where an output is written until it is complete: a hidden name beside it, with this
// process's id, so that a run that fails or is stopped leaves nothing under the real name.
#pragma once

#include <string>

namespace corvane {

// The temporary name of `path` (a sequence pattern keeps its pattern, a single file gets
// ".part"). Raises ToolError when the directory it goes in does not exist: the muxers and
// streams would report that only as a failed write.
std::string temporaryPathFor(const std::string& path, bool sequence);

}  // namespace corvane
