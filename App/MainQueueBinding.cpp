#include "App/MainQueueBinding.h"

#include "Platform/MainQueue.h"

#include <QMetaObject>

MainQueueBinding::MainQueueBinding(Platform::MainQueue& queue, QObject* parent)
    : QObject(parent), m_queue(queue) {
    // Called on the posting thread; posting an event to this object's thread is safe from any
    // thread and never blocks.
    m_queue.bind([this] { QMetaObject::invokeMethod(this, &MainQueueBinding::drain, Qt::QueuedConnection); });
}

MainQueueBinding::~MainQueueBinding() {
    m_queue.unbind();
}

void MainQueueBinding::drain() {
    // A burst from the box can queue thousands of records: each turn runs a slice of them, and
    // the window paints and takes input before the next.
    m_queue.runPending(std::chrono::steady_clock::now() + sliceBudget);
}
