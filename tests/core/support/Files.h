#pragma once

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace tessarin::test {

// Writes `text` to `path`, creating its parent folders.
inline void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every entry under `root` by relative path: a file's contents, "<dir>" for a folder, "-> target" for a
// symbolic link. Two equal snapshots mean nothing under `root` changed.
inline std::map<std::string, std::string> treeSnapshot(const std::filesystem::path& root) {
    std::map<std::string, std::string> tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const auto relative = entry.path().lexically_relative(root).string();
        if (entry.is_symlink())
            tree[relative] = "-> " + std::filesystem::read_symlink(entry.path()).string();
        else if (entry.is_directory())
            tree[relative] = "<dir>";
        else
            tree[relative] = readFile(entry.path());
    }
    return tree;
}

// Creates the entries of a snapshot-shaped map under `root` (the inverse of treeSnapshot).
inline void makeTree(const std::filesystem::path& root, const std::map<std::string, std::string>& tree) {
    std::filesystem::create_directories(root);
    for (const auto& [relative, content] : tree) {
        const auto path = root / relative;
        std::filesystem::create_directories(path.parent_path());
        if (content == "<dir>")
            std::filesystem::create_directories(path);
        else if (content.starts_with("-> "))
            std::filesystem::create_symlink(content.substr(3), path);
        else
            writeFile(path, content);
    }
}

} // namespace tessarin::test
