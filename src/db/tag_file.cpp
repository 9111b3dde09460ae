#include "db/tag_file.h"

#include "base/case_tables.h"
#include "base/file_ops.h"
#include "base/path_resolver.h"
#include "db/dbf_file.h"
#include "db/posix_file.h"

namespace db {

namespace {
constexpr const char* kFirstLine = "# kadry tags 1";
}

std::string tagFilePath(const std::string& nativeDbf) { return companionPath(nativeDbf, ".tags"); }

std::vector<TagDef> readTags(const std::string& nativeDbf) {
    std::vector<TagDef> tags;
    auto text = base::readFile(base::nativeToText(tagFilePath(nativeDbf)));
    if (!text) return tags;
    std::size_t pos = 0;
    while (pos < text->size()) {
        auto end = text->find('\n', pos);
        if (end == std::string::npos) end = text->size();
        std::string line = text->substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos || eq == 0) continue;
        tags.push_back({base::upperAnsi(line.substr(0, eq)), line.substr(eq + 1)});
    }
    return tags;
}

base::Status writeTags(const std::string& nativeDbf, const std::vector<TagDef>& tags) {
    const std::string path = tagFilePath(nativeDbf);
    if (tags.empty()) return posix::removePath(path);
    std::string text = std::string(kFirstLine) + "\n";
    for (const TagDef& t : tags) text += t.name + "=" + t.key + "\n";
    return base::writeFileAtomic(base::nativeToText(path), text);
}

}  // namespace db
