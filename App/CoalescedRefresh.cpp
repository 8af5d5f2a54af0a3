#include "App/CoalescedRefresh.h"

#include "App/NotificationRelay.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<CoalescedRefresh*>& livingRefreshes() {
    static std::vector<CoalescedRefresh*> refreshes;
    return refreshes;
}

} // namespace

CoalescedRefresh::CoalescedRefresh(std::function<void()> refresh, QObject* parent)
    : QObject(parent), m_refresh(std::move(refresh)) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &CoalescedRefresh::run);
    livingRefreshes().push_back(this);
}

CoalescedRefresh::~CoalescedRefresh() {
    std::erase(livingRefreshes(), this);
}

void CoalescedRefresh::request() {
    if (!NotificationRelay::isDelivering()) {
        run();
        return;
    }
    if (!m_timer.isActive()) {
        const auto wait = std::max<std::chrono::steady_clock::duration>(frame, costShare * m_lastCost);
        m_timer.start(std::chrono::ceil<std::chrono::milliseconds>(wait));
    }
}

void CoalescedRefresh::run() {
    m_timer.stop();
    const auto start = std::chrono::steady_clock::now();
    m_refresh();
    m_lastCost = std::chrono::steady_clock::now() - start;
}

void CoalescedRefresh::runAllPending() {
    // A refresh may ask for another (or end a screen): take a copy and look each one up again.
    const std::vector<CoalescedRefresh*> refreshes = livingRefreshes();
    for (CoalescedRefresh* refresh : refreshes) {
        if (std::find(livingRefreshes().begin(), livingRefreshes().end(), refresh) !=
                livingRefreshes().end() &&
            refresh->isPending()) {
            refresh->run();
        }
    }
}
