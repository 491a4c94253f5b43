#pragma once

#include <stdexcept>

namespace fourinrow::socket {

// The socket component's one exception: it carries its message only.
class ESocketException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace fourinrow::socket
