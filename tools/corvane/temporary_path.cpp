#include "temporary_path.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "tool_error.h"

namespace corvane {

std::string temporaryPathFor(const std::string& path, bool sequence) {
    const auto slash = path.find_last_of('/');
    const std::string directory =
        slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (std::error_code e; !std::filesystem::is_directory(directory, e))
        throw ToolError(path + ": cannot write: no directory \"" + directory + "\"");
    return directory + "/.corvane-" + std::to_string(getpid()) + "-" + base +
           (sequence ? "" : ".part");
}

}  // namespace corvane
