// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <variant>

// Why an action did not do what it was asked: one Polish sentence (UTF-8) for
// the user, naming what is wrong.
struct Failure {
    std::string reason;
};

// What an action that can fail gives back: the value it made, or the Failure
// telling why it made none. It converts to true when the action succeeded.
// Every failure of the program travels in this one shape, except an input that
// the calculation refuses, which is a Refusal (calc/refusal.h).
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value)
        : state_(std::in_place_index<0>, std::move(value))
    {
    }
    Result(Failure failure)
        : state_(std::in_place_index<1>, std::move(failure))
    {
    }

    bool Failed() const { return state_.index() == 1; }
    explicit operator bool() const { return !Failed(); }

    // Only when the action succeeded.
    T& Value() & { return std::get<0>(state_); }
    const T& Value() const& { return std::get<0>(state_); }
    T&& Value() && { return std::get<0>(std::move(state_)); }

    // Empty when the action succeeded.
    const std::string& Reason() const { return Failed() ? std::get<1>(state_).reason : Empty(); }
    // The failure, to pass on: only when the action failed.
    Failure Fault() const { return std::get<1>(state_); }

private:
    static const std::string& Empty()
    {
        static const std::string empty;
        return empty;
    }
    std::variant<T, Failure> state_;
};

// An action that makes no value: it either succeeded or failed with a reason.
template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure)
        : failed_(true)
        , reason_(std::move(failure.reason))
    {
    }

    bool Failed() const { return failed_; }
    explicit operator bool() const { return !failed_; }

    // Empty when the action succeeded.
    const std::string& Reason() const { return reason_; }
    Failure Fault() const { return Failure{reason_}; }

private:
    bool failed_ = false;
    std::string reason_;
};

using Outcome = Result<void>;
