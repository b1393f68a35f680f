// Where an output may go: never over one of its own inputs, and, until it is complete, under a
// hidden name beside the one asked for, with this process's id, so that a run that fails or
// is stopped leaves nothing under the real name.
#pragma once

#include <string>
#include <vector>

namespace corvane {

// Raises ToolError when `output` names one of `inputs` (the same file, or the same sequence):
// the finished output would replace a source the run is reading.
void requireNotAnInput(const std::string& output, const std::vector<std::string>& inputs);

// The temporary name of `path` (a sequence pattern keeps its pattern, a single file gets
// ".part"). Raises ToolError when the directory it goes in does not exist: the muxers and
// streams would report that only as a failed write.
std::string temporaryPathFor(const std::string& path, bool sequence);

}  // namespace corvane
