#include "actions/internet/stored_password.h"

namespace zorbel {

namespace {

std::string rotate(std::string_view text, int places) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>('a' + (c - 'a' + places + 26) % 26);
        else if (c >= 'A' && c <= 'Z') c = static_cast<char>('A' + (c - 'A' + places + 26) % 26);
    }
    return out;
}

}  // namespace

std::string rotate_password_forward(std::string_view typed) { return rotate(typed, 3); }
std::string rotate_password_back(std::string_view stored) { return rotate(stored, -3); }

}  // namespace zorbel
