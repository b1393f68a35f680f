#include "output_path.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "media_in.h"
#include "tool_error.h"

namespace corvane {

void requireNotAnInput(const std::string& output, const std::vector<std::string>& inputs) {
    namespace fs = std::filesystem;
    // Sequences compare by pattern; a path that does not exist yet compares by where it
    // would be.
    const auto place = [](const std::string& path) {
        std::error_code e;
        const fs::path p = fs::weakly_canonical(sequencePattern(path), e);
        return e ? fs::path(path) : p;
    };
    for (const std::string& input : inputs) {
        std::error_code e;
        if (fs::equivalent(output, input, e) || place(output) == place(input))
            throw ToolError(output + " is also an input: write the result under another name");
    }
}

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
