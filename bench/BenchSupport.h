#pragma once

// Small helpers the benchmarks share.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace tessarin::bench {

inline double ms(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A benchmark that needs a display and a session bus starts itself again inside
// scripts/x11-session (under `sourceDir`, with `sessionOptions`) when it runs outside one. Returns only
// inside the session, or with 1 when the session could not be started.
inline int enterPrivateSession(int argc, char** argv, const std::string& sourceDir,
                               const std::vector<std::string>& sessionOptions = {}) {
    if (std::getenv("X11_SESSION_DIR"))
        return 0;
    const std::string session = sourceDir + "/scripts/x11-session";
    std::vector<std::string> words = {session};
    words.insert(words.end(), sessionOptions.begin(), sessionOptions.end());
    words.push_back("--");
    words.push_back(std::filesystem::canonical("/proc/self/exe"));
    for (int i = 1; i < argc; ++i)
        words.push_back(argv[i]);
    std::vector<char*> args;
    for (auto& w : words)
        args.push_back(w.data());
    args.push_back(nullptr);
    ::execv(session.c_str(), args.data());
    std::perror("x11-session");
    return 1;
}

} // namespace tessarin::bench
