#include "Logic/connection/Serial/SerialPacketDescriptor.h"

#include "Logic/common/Utf8.h"
#include "Logic/common/Uuid.h"

#include <string_view>

namespace {

bool anyNonEmptyBytes(std::string_view candidate) {
    return !candidate.empty();
}

} // namespace

SerialPacketDescriptor::SerialPacketDescriptor(uint64_t maximumPacketLength, std::any userInfo,
                                               Evaluator responseEvaluator)
    : m_maximumPacketLength(maximumPacketLength), m_userInfo(std::move(userInfo)), m_uuid(makeUuidString()),
      m_responseEvaluator(responseEvaluator ? std::move(responseEvaluator) : Evaluator(anyNonEmptyBytes)) {}

SerialPacketDescriptor::SerialPacketDescriptor(std::string packetData, std::any userInfo)
    : SerialPacketDescriptor(packetData.size(), std::move(userInfo),
                             [packetData](std::string_view candidate) { return candidate == packetData; }) {
    m_packetData = std::move(packetData);
}

SerialPacketDescriptor::SerialPacketDescriptor(std::optional<std::string> prefix,
                                               std::optional<std::string> suffix,
                                               uint64_t maximumPacketLength, std::any userInfo)
    : SerialPacketDescriptor(
          maximumPacketLength, std::move(userInfo), [prefix, suffix](std::string_view candidate) {
              if (!prefix && !suffix)
                  return false;
              // Prefix and suffix may overlap in a short candidate.
              return (!prefix || candidate.starts_with(*prefix)) && (!suffix || candidate.ends_with(*suffix));
          }) {
    m_prefix = std::move(prefix);
    m_suffix = std::move(suffix);
}

SerialPacketDescriptor::SerialPacketDescriptor(std::wregex regularExpression, uint64_t maximumPacketLength,
                                               std::any userInfo)
    : SerialPacketDescriptor(maximumPacketLength, std::move(userInfo),
                             [regularExpression](std::string_view candidate) {
                                 // Bytes that are not text (a tail cut inside a character too)
                                 // simply do not match.
                                 const std::optional<std::wstring> text = decodeUtf8(candidate);
                                 return text && std::regex_search(*text, regularExpression,
                                                                  std::regex_constants::match_continuous);
                             }) {
    m_regularExpression = std::move(regularExpression);
}

SerialPacketDescriptor SerialPacketDescriptor::withPrefixString(const std::optional<std::string>& prefix,
                                                                const std::optional<std::string>& suffix,
                                                                uint64_t maximumPacketLength,
                                                                std::any userInfo) {
    // Text is kept as its UTF-8 bytes, which is how strings hold it already.
    return SerialPacketDescriptor(prefix, suffix, maximumPacketLength, std::move(userInfo));
}

bool SerialPacketDescriptor::dataIsValidPacket(std::string_view candidate) const {
    return m_responseEvaluator(candidate);
}

std::optional<std::string>
SerialPacketDescriptor::packetMatchingAtEndOfBuffer(std::string_view buffer) const {
    for (size_t length = 1; length <= buffer.size(); ++length) {
        const std::string_view tail = buffer.substr(buffer.size() - length);
        if (dataIsValidPacket(tail))
            return std::string(tail);
    }
    return std::nullopt;
}
