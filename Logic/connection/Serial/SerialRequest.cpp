#include "Logic/connection/Serial/SerialRequest.h"

#include "Logic/common/Uuid.h"

#include <cstdint>
#include <cstdio>
#include <limits>

namespace {

// Bytes in the grouped hexadecimal form a data object prints: "<4f4b0d0a 41>".
std::string describeBytes(const std::string& bytes) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string text = "<";
    for (size_t at = 0; at < bytes.size(); ++at) {
        if (at > 0 && at % 4 == 0)
            text.push_back(' ');
        const auto byte = static_cast<uint8_t>(bytes[at]);
        text.push_back(digits[byte >> 4U]);
        text.push_back(digits[byte & 0x0FU]);
    }
    text.push_back('>');
    return text;
}

std::string describeUserInfo(const std::any& userInfo) {
    if (!userInfo.has_value())
        return "(null)";
    if (const auto* text = std::any_cast<std::string>(&userInfo))
        return *text;
    if (const auto* text = std::any_cast<const char*>(&userInfo))
        return *text != nullptr ? *text : "(null)";
    return std::string("<") + userInfo.type().name() + ">";
}

} // namespace

SerialRequest::SerialRequest(std::string dataToSend, std::any userInfo, double timeoutInterval,
                             std::shared_ptr<const SerialPacketDescriptor> responseDescriptor)
    : m_dataToSend(std::move(dataToSend)), m_userInfo(std::move(userInfo)),
      m_timeoutInterval(timeoutInterval), m_responseDescriptor(std::move(responseDescriptor)),
      m_uuidString(makeUuidString()) {}

std::shared_ptr<SerialRequest>
SerialRequest::requestWithDataToSend(std::string dataToSend, std::any userInfo, double timeoutInterval,
                                     std::shared_ptr<const SerialPacketDescriptor> responseDescriptor) {
    return std::make_shared<SerialRequest>(std::move(dataToSend), std::move(userInfo), timeoutInterval,
                                           std::move(responseDescriptor));
}

std::shared_ptr<SerialRequest>
SerialRequest::requestWithDataToSend(std::string dataToSend, std::any userInfo, double timeoutInterval,
                                     SerialPacketDescriptor::Evaluator responseEvaluator) {
    auto descriptor = std::make_shared<const SerialPacketDescriptor>(
        static_cast<uint64_t>(std::numeric_limits<int64_t>::max()), std::any(), std::move(responseEvaluator));
    return requestWithDataToSend(std::move(dataToSend), std::move(userInfo), timeoutInterval,
                                 std::move(descriptor));
}

bool SerialRequest::dataIsValidResponse(std::string_view candidate) const {
    return !m_responseDescriptor || m_responseDescriptor->dataIsValidPacket(candidate);
}

std::string SerialRequest::description() const {
    char base[64];
    std::snprintf(base, sizeof base, "<SerialRequest: %p>", static_cast<const void*>(this));
    char interval[64];
    std::snprintf(interval, sizeof interval, "%f", m_timeoutInterval);
    return std::string(base) + " data: " + describeBytes(m_dataToSend) +
           " userInfo: " + describeUserInfo(m_userInfo) + " timeout interval: " + interval;
}
