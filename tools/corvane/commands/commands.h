// The four verbs of corvane. Each returns the process's exit status and raises ToolError for
// anything that stops it.
#pragma once

#include <string>
#include <vector>

#include "working_format.h"

namespace corvane {

struct CommonOptions {
    std::string module;  // empty: the default module
    bool quiet = false;
    int threads = 0;  // 0: the machine's cores
};

struct ListOptions {
    CommonOptions common;
    bool json = false;
};

struct RenderOptions {
    CommonOptions common;
    std::string effect;
    std::vector<std::string> inputs;
    std::string output;
    std::vector<std::string> sets;
    std::string frames;  // FIRST:LAST
    std::string codec;
    FormatRequest format;
};

struct QcOptions {
    CommonOptions common;
    std::string clip;
    std::string csv, json, out;
    std::string frames;
};

struct DemoOptions {
    CommonOptions common;
    std::string directory = "corvane-demo";
};

int listCommand(const ListOptions& options);
int renderCommand(const RenderOptions& options);
int qcCommand(const QcOptions& options);
int demoCommand(const DemoOptions& options);

// "12:40" → 12 and 40; "12:" → 12 to the end; empty → everything. Raises ToolError.
void parseFrameRange(const std::string& text, int64_t& first, int64_t& last);
int threadCount(const CommonOptions& options);

}  // namespace corvane
