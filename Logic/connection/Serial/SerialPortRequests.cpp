#include "Logic/connection/Serial/SerialPort.h"

#include "Platform/MainQueue.h"

#include <algorithm>
#include <chrono>
#include <cmath>

// The request and packet layer. Everything but the public entry points runs on m_requestQueue,
// one step at a time, so the pending request and the buffers need no lock; the two lists that
// other threads read are changed under m_requestListsMutex.

bool SerialPort::sendRequest(std::shared_ptr<SerialRequest> request) {
    bool written = false;
    m_requestQueue.sync([&] { written = reallySendRequest(request); });
    return written;
}

void SerialPort::cancelQueuedRequest(const std::shared_ptr<SerialRequest>& request) {
    if (!request)
        return;
    m_requestQueue.post([this, request] {
        bool removed = false;
        {
            std::lock_guard lock(m_requestListsMutex);
            const auto found = std::find(m_requestsQueue.begin(), m_requestsQueue.end(), request);
            if (found != m_requestsQueue.end()) {
                m_requestsQueue.erase(found);
                removed = true;
            }
        }
        if (removed) {
            updateRequestLayerActive();
            m_observers.notify("queuedRequests");
        }
    });
}

void SerialPort::cancelAllQueuedRequests() {
    m_requestQueue.post([this] {
        {
            std::lock_guard lock(m_requestListsMutex);
            m_requestsQueue.clear();
        }
        updateRequestLayerActive();
        m_observers.notify("queuedRequests");
    });
}

std::vector<std::shared_ptr<SerialRequest>> SerialPort::queuedRequests() const {
    std::lock_guard lock(m_requestListsMutex);
    return {m_requestsQueue.begin(), m_requestsQueue.end()};
}

void SerialPort::startListeningForPacketsMatchingDescriptor(
    std::shared_ptr<const SerialPacketDescriptor> descriptor) {
    if (!descriptor)
        return;
    bool added = false;
    m_requestQueue.sync([&] {
        {
            std::lock_guard lock(m_requestListsMutex);
            const bool listed =
                std::any_of(m_packetDescriptorsAndBuffers.begin(), m_packetDescriptorsAndBuffers.end(),
                            [&](const auto& entry) { return *entry.first == *descriptor; });
            // A descriptor already listened for keeps its buffer.
            if (!listed) {
                auto buffer = std::make_unique<SerialBuffer>(descriptor->maximumPacketLength());
                m_packetDescriptorsAndBuffers.emplace_back(std::move(descriptor), std::move(buffer));
                added = true;
            }
        }
        updateRequestLayerActive();
    });
    if (added)
        m_observers.notify("packetDescriptors");
}

void SerialPort::stopListeningForPacketsMatchingDescriptor(
    const std::shared_ptr<const SerialPacketDescriptor>& descriptor) {
    if (!descriptor)
        return;
    bool removed = false;
    m_requestQueue.sync([&] {
        {
            std::lock_guard lock(m_requestListsMutex);
            removed = std::erase_if(m_packetDescriptorsAndBuffers,
                                    [&](const auto& entry) { return *entry.first == *descriptor; }) > 0;
        }
        updateRequestLayerActive();
    });
    if (removed)
        m_observers.notify("packetDescriptors");
}

std::vector<std::shared_ptr<const SerialPacketDescriptor>> SerialPort::packetDescriptors() const {
    std::lock_guard lock(m_requestListsMutex);
    std::vector<std::shared_ptr<const SerialPacketDescriptor>> descriptors;
    descriptors.reserve(m_packetDescriptorsAndBuffers.size());
    for (const auto& entry : m_packetDescriptorsAndBuffers)
        descriptors.push_back(entry.first);
    return descriptors;
}

bool SerialPort::reallySendRequest(const std::shared_ptr<SerialRequest>& request) {
    if (m_pendingRequest) {
        {
            std::lock_guard lock(m_requestListsMutex);
            m_requestsQueue.push_back(request);
        }
        updateRequestLayerActive();
        m_observers.notify("queuedRequests");
        return true;
    }
    const std::shared_ptr<const SerialPacketDescriptor>& descriptor = request->responseDescriptor();
    m_requestResponseReceiveBuffer =
        std::make_unique<SerialBuffer>(descriptor ? descriptor->maximumPacketLength() : 0);
    m_pendingRequest = request;
    const uint64_t send = ++m_pendingRequestSend;
    m_pendingRequestTimedOut = false;
    updateRequestLayerActive();
    const double timeout = request->timeoutInterval();
    if (timeout > 0) {
        const auto delay =
            std::chrono::milliseconds(static_cast<int64_t>(std::ceil(std::min(timeout, 1e9) * 1000)));
        m_pendingRequestTimeoutTimer =
            m_requestQueue.postAfter(delay, [this, send] { pendingRequestDidTimeout(send); });
    }
    // A request whose bytes could not be written stays pending until its timeout, a matching
    // response or a close.
    const bool written = sendData(request->dataToSend());
    if (written)
        checkResponseToPendingRequestAndContinueIfValidWithReceivedByte(std::nullopt);
    return written;
}

void SerialPort::sendNextRequest() {
    cancelTimeoutTimer();
    m_pendingRequest.reset();
    m_pendingRequestTimedOut = false;
    std::shared_ptr<SerialRequest> next;
    {
        std::lock_guard lock(m_requestListsMutex);
        if (!m_requestsQueue.empty()) {
            next = std::move(m_requestsQueue.front());
            m_requestsQueue.pop_front();
        }
    }
    if (!next) {
        updateRequestLayerActive();
        return;
    }
    m_observers.notify("queuedRequests");
    reallySendRequest(next);
}

void SerialPort::pendingRequestDidTimeout(uint64_t send) {
    // The timer of a send that already ended (answered, or dropped by a close) finds another
    // send pending, or none, and does nothing.
    if (!isPendingSend(send) || m_pendingRequestTimedOut)
        return;
    const std::shared_ptr<SerialRequest> request = m_pendingRequest;
    m_pendingRequestTimeoutTimer = 0;
    if (!delegateImplements(&SerialPortDelegate::serialPortRequestDidTimeout)) {
        sendNextRequest();
        return;
    }
    // Until the delegate has heard of it the request stays pending, marked, so no byte
    // completes it and new requests queue behind it.
    m_pendingRequestTimedOut = true;
    // The queue moves on even when that delegate is gone by the time the main queue runs this:
    // otherwise nothing would ever replace the timed-out request.
    Platform::MainQueue::shared().post([self = weak_from_this(), receiver = delegate(), request, send] {
        const std::shared_ptr<SerialPort> port = self.lock();
        if (port == nullptr)
            return;
        if (const std::shared_ptr<SerialPortDelegate> target = receiver.lock();
            target != nullptr && target->serialPortRequestDidTimeout)
            target->serialPortRequestDidTimeout(*port, *request);
        // By then the port may have closed, opened and sent this very request again.
        port->m_requestQueue.post([raw = port.get(), send] {
            if (raw->isPendingSend(send))
                raw->sendNextRequest();
        });
    });
}

void SerialPort::checkResponseToPendingRequestAndContinueIfValidWithReceivedByte(std::optional<char> byte) {
    if (!m_pendingRequest)
        return;
    const std::shared_ptr<const SerialPacketDescriptor> descriptor = m_pendingRequest->responseDescriptor();
    if (!byte) {
        if (!descriptor)
            sendNextRequest();
        return;
    }
    if (!descriptor || m_pendingRequestTimedOut)
        return;
    m_requestResponseReceiveBuffer->appendData(std::string_view(&*byte, 1));
    std::optional<std::string> response =
        descriptor->packetMatchingAtEndOfBuffer(m_requestResponseReceiveBuffer->data());
    if (!response)
        return;
    cancelTimeoutTimer();
    if (!response->empty() && delegateImplements(&SerialPortDelegate::serialPortDidReceiveResponse))
        postToDelegate([response = std::move(*response),
                        request = m_pendingRequest](SerialPort& port, SerialPortDelegate& receiver) {
            if (receiver.serialPortDidReceiveResponse)
                receiver.serialPortDidReceiveResponse(port, response, *request);
        });
    sendNextRequest();
}

void SerialPort::handleReceivedChunk(const std::string& chunk) {
    for (const char byte : chunk) {
        for (auto& [descriptor, buffer] : m_packetDescriptorsAndBuffers) {
            buffer->appendData(std::string_view(&byte, 1));
            std::optional<std::string> packet = descriptor->packetMatchingAtEndOfBuffer(buffer->data());
            if (!packet || packet->empty())
                continue;
            if (delegateImplements(&SerialPortDelegate::serialPortDidReceivePacket))
                postToDelegate([packet = std::move(*packet),
                                descriptor = descriptor](SerialPort& port, SerialPortDelegate& receiver) {
                    if (receiver.serialPortDidReceivePacket)
                        receiver.serialPortDidReceivePacket(port, packet, *descriptor);
                });
            buffer->clearBuffer();
        }
        checkResponseToPendingRequestAndContinueIfValidWithReceivedByte(byte);
    }
}

void SerialPort::resetRequestsAfterClose() {
    cancelTimeoutTimer();
    m_pendingRequest.reset();
    m_pendingRequestTimedOut = false;
    {
        std::lock_guard lock(m_requestListsMutex);
        m_requestsQueue.clear();
    }
    updateRequestLayerActive();
    m_observers.notify("queuedRequests");
}

bool SerialPort::isPendingSend(uint64_t send) const {
    return m_pendingRequest != nullptr && m_pendingRequestSend == send;
}

void SerialPort::cancelTimeoutTimer() {
    if (m_pendingRequestTimeoutTimer != 0)
        m_requestQueue.cancel(m_pendingRequestTimeoutTimer);
    m_pendingRequestTimeoutTimer = 0;
}

void SerialPort::updateRequestLayerActive() {
    std::lock_guard lock(m_requestListsMutex);
    m_requestLayerActive.store(m_pendingRequest != nullptr || !m_requestsQueue.empty() ||
                               !m_packetDescriptorsAndBuffers.empty());
}
