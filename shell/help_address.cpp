#include "shell/help_address.h"

#include <cstring>

namespace {

bool isPlain(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           (c != '\0' && std::strchr("/-._~:", c) != nullptr);
}

} // namespace

std::string fileAddress(const std::string& path) {
    static const char hexDigits[] = "0123456789ABCDEF";
    std::string address = "file:///";
    for (const char byte : path) {
        const unsigned char c = static_cast<unsigned char>(byte == '\\' ? '/' : byte);
        if (isPlain(c)) {
            address += static_cast<char>(c);
        } else {
            address += '%';
            address += hexDigits[c >> 4];
            address += hexDigits[c & 0x0F];
        }
    }
    return address;
}
