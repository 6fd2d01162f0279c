#pragma once

#include "support/RunProcess.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace tessarin::test {

// The loop of every kill test: a program started again and again and killed with SIGKILL at an instant
// drawn from a seeded generator, each kill followed by the test's own checks.
class KillLoop {
public:
    // Instants are drawn evenly from [0, span].
    KillLoop(unsigned seed, std::chrono::microseconds span) : rng_(seed), delayUs_(0, span.count()) {}

    // Starts `argv`, kills it at the next instant and reaps it. With `awaitReady` the instant counts from
    // the first byte the program writes on its standard output (-1 when none comes). The exit status, or
    // 128 + SIGKILL when the kill ended it.
    int kill(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
             bool awaitReady = false) {
        int ready[2] = {-1, -1};
        if (awaitReady && ::pipe(ready) != 0)
            return -1;
        const pid_t pid = awaitReady ? spawnRedirected(argv, env, ready[1], 2) : spawn(argv, env);
        if (awaitReady) {
            ::close(ready[1]);
            char byte = 0;
            const bool started = ::read(ready[0], &byte, 1) == 1;
            ::close(ready[0]);
            if (!started) {
                ::kill(pid, SIGKILL);
                waitFor(pid);
                return -1;
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs_(rng_))); // the random instant
        ::kill(pid, SIGKILL);
        return waitFor(pid);
    }

    // Runs `trial(i)` for i = 0, 1, ...: `minimum` times, then on while `more()` holds, at most `maximum`
    // times in all; stops at the first fatal failure.
    static void trials(int minimum, int maximum, const std::function<bool()>& more,
                       const std::function<void(int)>& trial) {
        for (int i = 0; i < std::max(minimum, maximum) && (i < minimum || more()); ++i) {
            trial(i);
            if (::testing::Test::HasFatalFailure())
                return;
        }
    }

    // How long `run` takes: the span to spread kills over.
    static std::chrono::microseconds timed(const std::function<void()>& run) {
        const auto start = std::chrono::steady_clock::now();
        run();
        return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                     start);
    }

private:
    std::mt19937 rng_;
    std::uniform_int_distribution<long> delayUs_;
};

} // namespace tessarin::test
