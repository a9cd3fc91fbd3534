// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <optional>
#include <span>
#include <string>

namespace app {

// What the command line asks of the program before any window opens.
enum class Request { Play, Help, Version, Refuse };

struct CommandLineReading {
    Request request = Request::Play;
    std::string complaint;   // one line for standard error when refused
};

// Reads the arguments that follow the program name, left to right; the first
// that decides wins. Ours are -h, --help and --version; the toolkit's own
// options, with their values, are left for the toolkit. Anything else is
// refused: the game takes no files or names either.
CommandLineReading readCommandLine(std::span<const char* const> arguments);

// The exit code of a request: 0, or 2 when refused.
int exitCodeOf(Request request);

std::string helpText();
std::string versionText();

// Answers a request that needs no window on OUT or ERR and returns its exit
// code (1 when the answer could not be written); nothing when the game is to
// be played. Touches neither the display nor the toolkit.
std::optional<int> answerCommandLine(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

} // namespace app
