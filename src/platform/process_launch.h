#pragma once
// Starting the keyboard maker's helper programs: detached, so they outlive us and never become
// our zombies, with nothing of ours (descriptors, locks) passed on.
#include <filesystem>
#include <string>
#include <vector>

namespace talon {

// Whether `program` is a regular file we may execute.
bool IsExecutableFile(const std::filesystem::path& program);

// Starts `program` with `arguments` in `working_folder` (unchanged when empty), in a session of
// its own, and returns at once. False when it is not an executable file or could not be started;
// what it does afterwards is not watched.
bool StartDetached(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                   const std::filesystem::path& working_folder = {});

}  // namespace talon
