#pragma once

#include "Logic/bridge/NotificationInfoObject.h"
#include "Platform/NotificationCenter.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

// Observes "notification" on the default centre for its lifetime and keeps every post's
// object and record, in arrival order; tests wait for what they expect, never sleep.
class PostCollector {
public:
    struct Post {
        const void* object = nullptr;
        // Null when the post did not carry a record of the exact type under "data".
        NotificationInfoObjectPtr info;
    };

    PostCollector();
    ~PostCollector();
    PostCollector(const PostCollector&) = delete;
    PostCollector& operator=(const PostCollector&) = delete;

    std::vector<Post> posts() const;
    // The status words (pnStr) of the posts so far.
    std::vector<std::string> words() const;
    // True as soon as done holds for the posts so far; false when the timeout passes first.
    bool waitFor(const std::function<bool(const std::vector<Post>&)>& done,
                 std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
    bool waitForCount(size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_arrived;
    std::vector<Post> m_posts;
    Platform::NotificationCenter::ObserverToken m_token;
};
