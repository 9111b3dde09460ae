#pragma once
// Named index tags of a table, kept beside it in "<stem>.tags": our own
// small text file (cp1251), one tag per line "NAME=KEY EXPRESSION", after a
// first line "# kadry tags 1". Tags are rebuilt in memory when used.
#include <string>
#include <utility>
#include <vector>

#include "base/status.h"

namespace db {

struct TagDef {
    std::string name;  // upper-case
    std::string key;
};

std::string tagFilePath(const std::string& nativeDbf);
std::vector<TagDef> readTags(const std::string& nativeDbf);
base::Status writeTags(const std::string& nativeDbf, const std::vector<TagDef>& tags);

}  // namespace db
