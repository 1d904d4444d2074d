// Reads and dismisses the message boxes that code under test shows in this process, from a thread of its own.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// While it lives, every "Message" box of this process is read (its text) and answered with OK.
// The code under test runs on the test's own thread and blocks in MessageBoxW until the watcher answers.
class MessageBoxWatcher {
public:
    MessageBoxWatcher();
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    // The texts of the boxes answered so far, oldest first.
    std::vector<std::string> Texts() const;
    // Forgets the texts seen so far.
    void Clear();

private:
    void Watch();

    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> texts_;
    std::thread thread_;
};
