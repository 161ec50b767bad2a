#pragma once
// A value or the FileError why there is none, for the calls that read and write files: the caller
// cannot take the value without having looked, and cannot drop the result unlooked at.

#include "base/FileError.h"

#include <cassert>
#include <utility>
#include <variant>

namespace tarvek {

template <class T> class [[nodiscard]] Result
{
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(FileError error) : m_state(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    // The value; only when ok().
    T& operator*() &
    {
        assert(ok());
        return std::get<0>(m_state);
    }
    const T& operator*() const&
    {
        assert(ok());
        return std::get<0>(m_state);
    }
    T&& operator*() &&
    {
        assert(ok());
        return std::get<0>(std::move(m_state));
    }
    T* operator->() { return &**this; }
    const T* operator->() const { return &**this; }

    // Why there is no value; only when !ok().
    const FileError& error() const
    {
        assert(!ok());
        return std::get<1>(m_state);
    }

    // Whether there is a value and it is `value`.
    friend bool operator==(const Result& result, const T& value)
    {
        return result.ok() && *result == value;
    }

private:
    std::variant<T, FileError> m_state;
};

template <> class [[nodiscard]] Result<void>
{
public:
    Result() = default;
    Result(FileError error) : m_error(std::move(error)), m_failed(true) {}

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }

    const FileError& error() const
    {
        assert(m_failed);
        return m_error;
    }

private:
    FileError m_error;
    bool m_failed = false;
};

} // namespace tarvek
