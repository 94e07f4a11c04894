// Passwords kept in step fields have each ASCII letter rotated three places forward
// within its case. This hides them from a casual glance at a script file; it is no
// protection: anyone can rotate them back.
#pragma once
#include <string>
#include <string_view>

namespace zorbel {

// As the editor stores a typed password.
std::string rotate_password_forward(std::string_view typed);
// As a step reads a stored password before use.
std::string rotate_password_back(std::string_view stored);

}  // namespace zorbel
