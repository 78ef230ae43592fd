#pragma once
#include <string>
#include <utility>
#include <variant>

namespace mpsec {

// Why something failed, in the words the user will read.
struct Failure {
    std::string Message;
};

// The one error convention of the model code: a function that can fail returns its value
// or the Failure that stopped it. Windows show the message through the platform; commands
// print it on standard error with a non-zero exit status.
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

    const std::string& Message() const { return std::get<1>(state_).Message; }

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
