#pragma once
// The error convention of the model code.
//
// - A function that gives a value or fails returns Result<T>; one that only does something
//   returns Status (Result<void>). The Failure says why in the words the user will read;
//   the file functions give the system's own words ("No such file or directory").
// - A result that stands in part when it stops (a listing keeps the entries listed before a
//   bad line, a statement the rows built before one) keeps what it holds and carries the
//   Failure that stopped it in a field named StoppedBy (std::optional<Failure>), empty when
//   the result is whole. Such a result is shown as far as it goes, with the message, and is
//   never saved, printed or counted as a whole one.
//
// Windows show the message through the platform; commands print it on standard error with
// a non-zero exit status.
#include <string>
#include <utility>
#include <variant>

namespace mpsec {

// Why something failed, in the words the user will read.
struct Failure {
    std::string Message;
};

// A value, or the Failure that stopped the function giving it.
template <class T> class [[nodiscard]] Result {
  public:
    Result(T value) : state_(std::move(value)) {}
    Result(Failure failure) : state_(std::move(failure)) {}

    bool Ok() const { return state_.index() == 0; }
    explicit operator bool() const { return Ok(); }

    const T& Value() const& { return std::get<0>(state_); }
    T& Value() & { return std::get<0>(state_); }
    T&& Value() && { return std::get<0>(std::move(state_)); }
    const T& operator*() const& { return Value(); }
    T& operator*() & { return Value(); }
    const T* operator->() const { return &Value(); }

    // Why it failed; empty when it did not.
    const std::string& Message() const {
        static const std::string none;
        return Ok() ? none : std::get<1>(state_).Message;
    }

  private:
    std::variant<T, Failure> state_;
};

// A Result without a value: done, or the Failure that stopped it.
template <> class [[nodiscard]] Result<void> {
  public:
    Result() = default;
    Result(Failure failure) : failure_(std::move(failure.Message)), failed_(true) {}

    bool Ok() const { return !failed_; }
    explicit operator bool() const { return Ok(); }
    const std::string& Message() const { return failure_; }

  private:
    std::string failure_;
    bool failed_ = false;
};

using Status = Result<void>;

} // namespace mpsec
