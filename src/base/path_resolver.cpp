#include "base/path_resolver.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdlib>
#include <vector>

#include "base/case_tables.h"
#include "base/cp1251.h"

namespace base {

namespace {

bool pathExists(const std::string& native) {
    struct stat st;
    return ::lstat(native.c_str(), &st) == 0;
}

bool isDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The entry of `folder` equal to `name` ignoring case, or "" when none is.
std::string findIgnoringCase(const std::string& folder, const std::string& nameText) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return {};
    const std::string wanted = upperAnsi(nameText);
    std::string found;
    while (dirent* e = ::readdir(dir)) {
        if (upperAnsi(nativeToText(e->d_name)) == wanted) {
            found = e->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

}  // namespace

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    std::string h = home && *home ? home : "/tmp";
    while (h.size() > 1 && h.back() == '/') h.pop_back();
    return h;
}

std::string nativeToText(std::string_view native) { return utf8ToCp1251(native); }
std::string textToNative(std::string_view text) { return cp1251ToUtf8(text); }

std::string withTrailingSeparator(std::string path) {
    if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
    return path;
}

std::string resolvePath(std::string_view stored) {
    std::string text(stored);
    for (char& c : text)
        if (c == '\\') c = '/';

    std::string prefix;
    if (text.size() >= 2 && text[1] == ':' && isDriveLetter(text[0])) {
        prefix = homeFolder();
        text.erase(0, 2);
        if (text.empty() || text[0] != '/') text.insert(0, "/");
    }

    const std::string whole = prefix + textToNative(text);
    if (whole.empty() || pathExists(whole)) return whole;

    // Walk component by component, matching names without regard to case.
    std::string native = prefix;
    std::size_t pos = 0;
    if (!text.empty() && text[0] == '/') {
        native += '/';
        pos = 1;
    }
    bool matching = true;
    while (pos <= text.size()) {
        std::size_t next = text.find('/', pos);
        if (next == std::string::npos) next = text.size();
        const std::string component = text.substr(pos, next - pos);
        if (!component.empty()) {
            std::string name = textToNative(component);
            if (matching && component != "." && component != "..") {
                const std::string candidate = native + name;
                if (!pathExists(candidate)) {
                    std::string found = findIgnoringCase(native, component);
                    if (found.empty()) matching = false;
                    else name = found;
                }
            }
            native += name;
        }
        if (next < text.size()) native += '/';
        pos = next + 1;
    }
    return native;
}

}  // namespace base
