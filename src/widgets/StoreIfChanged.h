#pragma once

// Stores `value` in `field` and tells whether the field changed, so that a property setter
// repaints only after a real change.
template <typename T> bool storeIfChanged(T& field, const T& value)
{
    if (field == value) {
        return false;
    }
    field = value;
    return true;
}
