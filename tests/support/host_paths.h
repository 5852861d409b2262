// Test support: paths as the host joins them. Tests spell joined paths with
// '/', and HostPath turns each '/' into the host's separator ("\\" on Win32),
// so one expectation holds for message lines and folder comments everywhere.
#pragma once

#include <string>
#include <string_view>

namespace testing_support {

std::wstring HostPath(std::wstring_view slashed);
std::string HostPath(std::string_view slashed);

}  // namespace testing_support
