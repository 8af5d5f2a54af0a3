#include "support/PostCollector.h"

#include <any>

PostCollector::PostCollector() {
    m_token = Platform::NotificationCenter::defaultCenter().addObserver(
        "notification", nullptr, [this](const Platform::NotificationCenter::Notification& notification) {
            Post post;
            post.object = notification.object;
            if (const auto found = notification.userInfo.find("data"); found != notification.userInfo.end()) {
                if (const auto* info = std::any_cast<NotificationInfoObjectPtr>(&found->second))
                    post.info = *info;
            }
            std::lock_guard lock(m_mutex);
            m_posts.push_back(std::move(post));
            m_arrived.notify_all();
        });
}

PostCollector::~PostCollector() {
    Platform::NotificationCenter::defaultCenter().removeObserver(m_token);
}

std::vector<PostCollector::Post> PostCollector::posts() const {
    std::lock_guard lock(m_mutex);
    return m_posts;
}

std::vector<std::string> PostCollector::words() const {
    std::vector<std::string> words;
    for (const Post& post : posts())
        words.push_back(post.info != nullptr ? post.info->pnStr() : "");
    return words;
}

bool PostCollector::waitFor(const std::function<bool(const std::vector<Post>&)>& done,
                            std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_mutex);
    return m_arrived.wait_for(lock, timeout, [&] { return done(m_posts); });
}

bool PostCollector::waitForCount(size_t count, std::chrono::milliseconds timeout) const {
    return waitFor([count](const std::vector<Post>& posts) { return posts.size() >= count; }, timeout);
}
