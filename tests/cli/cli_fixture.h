#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/command_line.h"

// Runs the command line in this process with its standard output and error caught in files.

struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string ReadStream(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string bytes;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        bytes.append(buffer, n);
    }
    std::fclose(file);
    return bytes;
}

inline CliRun RunCli(const std::vector<std::string>& arguments) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    CliRun run;
    run.code = RunCommandLine(arguments, fileno(out), fileno(err));
    run.out = ReadStream(out);
    run.err = ReadStream(err);
    return run;
}

// "--n1 1.5 --page P" -> {"--n1", "1.5", "--page", "P"}
inline std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

inline std::string Golden(const std::string& name) {
    return ReadBytes(std::filesystem::path(VK_TEST_DATA_DIR) / "workflow" / name);
}

// A fresh folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder() {
        char pattern[] = "/tmp/vk_cli_XXXXXX";
        if (mkdtemp(pattern) == nullptr) {
            ADD_FAILURE() << "no temporary folder";
        }
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }
    // Every name in the folder, for checking that nothing was left behind.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path path_;
};
