#include "platform/vbforms/runtime.h"

#include <algorithm>
#include <stdexcept>

namespace platform::vbforms {

void ProgressBar::put(int dispid, const Value& value) {
    const float* number = std::get_if<float>(&value);
    if (!number)
        throw std::invalid_argument("progress bar: the value must be a number");
    switch (dispid) {
    case maximum:
        maximum_ = *number;
        break;
    case minimum:
        minimum_ = *number;
        break;
    case DispId::value:
        if (*number < minimum_ || *number > maximum_)
            throw std::out_of_range("progress bar: invalid property value");
        value_ = *number;
        break;
    default:
        throw std::invalid_argument("progress bar: unknown dispatch identifier");
    }
    // A new range pulls the value inside it.
    value_ = std::clamp(value_, std::min(minimum_, maximum_), std::max(minimum_, maximum_));
    if (onChange_)
        onChange_();
}

float ProgressBar::get(int dispid) const {
    switch (dispid) {
    case maximum:
        return maximum_;
    case minimum:
        return minimum_;
    case value:
        return value_;
    default:
        throw std::invalid_argument("progress bar: unknown dispatch identifier");
    }
}

} // namespace platform::vbforms
