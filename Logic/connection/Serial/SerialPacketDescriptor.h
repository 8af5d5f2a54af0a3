#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <optional>
#include <regex>
#include <string>
#include <string_view>

// Recognises one packet in a stream of received bytes: by its exact bytes, by a prefix and a
// suffix, by a regular expression, or by the caller's own test. Immutable once made; its
// identity is a UUID made afresh, so two descriptors made alike are still different keys.
class SerialPacketDescriptor {
public:
    // Decides whether some bytes are one complete packet.
    using Evaluator = std::function<bool(std::string_view candidate)>;

    // The general form. An empty test takes any non-empty bytes as a packet.
    SerialPacketDescriptor(uint64_t maximumPacketLength, std::any userInfo, Evaluator responseEvaluator);
    // Exactly these bytes; the maximum length is their length.
    SerialPacketDescriptor(std::string packetData, std::any userInfo);
    // Bytes that start with the prefix and end with the suffix (either may be absent, not both;
    // an empty one puts no condition).
    SerialPacketDescriptor(std::optional<std::string> prefix, std::optional<std::string> suffix,
                           uint64_t maximumPacketLength, std::any userInfo);
    // Valid UTF-8 text on which the expression matches from the first character on.
    SerialPacketDescriptor(std::wregex regularExpression, uint64_t maximumPacketLength, std::any userInfo);
    SerialPacketDescriptor() = delete;

    // The prefix/suffix form from texts (their UTF-8 bytes).
    static SerialPacketDescriptor withPrefixString(const std::optional<std::string>& prefix,
                                                   const std::optional<std::string>& suffix,
                                                   uint64_t maximumPacketLength, std::any userInfo);

    bool dataIsValidPacket(std::string_view candidate) const;
    // The shortest tail of the bytes that is a valid packet, or nothing. Called after every
    // received byte, so a packet is found on its last byte.
    std::optional<std::string> packetMatchingAtEndOfBuffer(std::string_view buffer) const;

    const std::optional<std::string>& packetData() const { return m_packetData; }
    const std::optional<std::string>& prefix() const { return m_prefix; }
    const std::optional<std::string>& suffix() const { return m_suffix; }
    const std::optional<std::wregex>& regularExpression() const { return m_regularExpression; }
    uint64_t maximumPacketLength() const { return m_maximumPacketLength; }
    const std::any& userInfo() const { return m_userInfo; }
    const std::string& uuid() const { return m_uuid; }
    const Evaluator& responseEvaluator() const { return m_responseEvaluator; }

    bool operator==(const SerialPacketDescriptor& other) const { return m_uuid == other.m_uuid; }

private:
    std::optional<std::string> m_packetData;
    std::optional<std::string> m_prefix;
    std::optional<std::string> m_suffix;
    std::optional<std::wregex> m_regularExpression;
    uint64_t m_maximumPacketLength;
    std::any m_userInfo;
    std::string m_uuid;
    Evaluator m_responseEvaluator;
};

template <>
struct std::hash<SerialPacketDescriptor> {
    size_t operator()(const SerialPacketDescriptor& descriptor) const noexcept {
        return std::hash<std::string>()(descriptor.uuid());
    }
};
