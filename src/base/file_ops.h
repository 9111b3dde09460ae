#pragma once
// File operations on stored (cp1251) paths, each through the resolver.
// These are plain file operations: tables are deleted, renamed and replaced
// through the table engine, which holds the exclusive lock while it does so.
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"

namespace base {

bool fileExists(std::string_view path);
bool folderExists(std::string_view path);
Status copyFile(std::string_view from, std::string_view to);  // overwrites `to`
Status renameFile(std::string_view from, std::string_view to);
Status removeFile(std::string_view path);  // a missing file is not an error
Status makeFolders(std::string_view path);
// Names (cp1251) of the files in `folder` matching `mask` ("*.DBF", "T??2026.DBF"),
// without regard to case, sorted.
std::vector<std::string> listFiles(std::string_view folder, std::string_view mask);
bool matchesMask(std::string_view name, std::string_view mask);
// The whole content of a file, or NotFound.
Result<std::string> readFile(std::string_view path);
// Writes through a temporary file and a rename, so a reader never sees half.
Status writeFileAtomic(std::string_view path, std::string_view content);

// Native-path versions for callers that already resolved.
Status copyNative(const std::string& from, const std::string& to);
Status syncFile(int fd);

}  // namespace base
