#pragma once

#include "Logic/connection/Serial/SerialPacketDescriptor.h"

#include <any>
#include <memory>
#include <string>
#include <string_view>

// One command for a port to write, with the descriptor of the response it expects and how long
// to wait for it. Requests are shared by pointer and compare by identity. Change a request only
// before it is sent: the port's queue reads it afterwards.
class SerialRequest {
public:
    SerialRequest(std::string dataToSend, std::any userInfo, double timeoutInterval,
                  std::shared_ptr<const SerialPacketDescriptor> responseDescriptor);
    SerialRequest() = delete;

    // A request whose response is recognised by a descriptor of the given one.
    static std::shared_ptr<SerialRequest>
    requestWithDataToSend(std::string dataToSend, std::any userInfo, double timeoutInterval,
                          std::shared_ptr<const SerialPacketDescriptor> responseDescriptor);
    // A request whose response is recognised by the test: it gets a descriptor of the largest
    // maximum length, so its response buffer never drops bytes. An empty test takes any
    // non-empty bytes as the response.
    static std::shared_ptr<SerialRequest>
    requestWithDataToSend(std::string dataToSend, std::any userInfo, double timeoutInterval,
                          SerialPacketDescriptor::Evaluator responseEvaluator);

    // True without a response descriptor.
    bool dataIsValidResponse(std::string_view candidate) const;
    // "<SerialRequest: 0x...> data: <...> userInfo: ... timeout interval: 1.500000".
    std::string description() const;

    const std::string& dataToSend() const { return m_dataToSend; }
    void setDataToSend(std::string data) { m_dataToSend = std::move(data); }
    const std::any& userInfo() const { return m_userInfo; }
    void setUserInfo(std::any userInfo) { m_userInfo = std::move(userInfo); }
    // Seconds; 0 or less never times out.
    double timeoutInterval() const { return m_timeoutInterval; }
    void setTimeoutInterval(double seconds) { m_timeoutInterval = seconds; }
    // None: the request expects no response and ends once written.
    const std::shared_ptr<const SerialPacketDescriptor>& responseDescriptor() const {
        return m_responseDescriptor;
    }
    void setResponseDescriptor(std::shared_ptr<const SerialPacketDescriptor> descriptor) {
        m_responseDescriptor = std::move(descriptor);
    }
    const std::string& UUIDString() const { return m_uuidString; }
    void setUUIDString(std::string uuid) { m_uuidString = std::move(uuid); }

private:
    std::string m_dataToSend;
    std::any m_userInfo;
    double m_timeoutInterval;
    std::shared_ptr<const SerialPacketDescriptor> m_responseDescriptor;
    std::string m_uuidString;
};
