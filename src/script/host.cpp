#include "script/host.h"

#include <ctime>

#include "base/file_ops.h"
#include "base/path_resolver.h"

namespace script {

std::string Host::resolve(const std::string& stored) const {
    const bool absolute = !stored.empty() && (stored[0] == '/' || stored[0] == '\\' ||
                                              (stored.size() > 1 && stored[1] == ':'));
    if (absolute) return base::resolvePath(stored);
    return base::resolvePath(base::nativeToText(programFolder()) + stored);
}

std::optional<std::string> Host::readFile(const std::string& stored) const {
    auto r = base::readFile(base::nativeToText(resolve(stored)));
    if (!r) return std::nullopt;
    return std::move(r.value());
}

bool Host::writeFile(const std::string& stored, const std::string& content) {
    return base::writeFileAtomic(base::nativeToText(resolve(stored)), content).isOk();
}

LocalTime Host::now() const {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

}  // namespace script
