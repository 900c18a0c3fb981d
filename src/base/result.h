#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace kestrova {

// What a failed read or write says: a sentence a person understands.
struct Error {
  std::string message;
};

// A value or an error, for reads that can fail.
template <typename T>
class Result {
 public:
  Result(T value) : content_(std::move(value)) {}      // NOLINT: implicit on purpose
  Result(Error error) : content_(std::move(error)) {}  // NOLINT

  bool Ok() const { return std::holds_alternative<T>(content_); }
  explicit operator bool() const { return Ok(); }

  T& Value() { return std::get<T>(content_); }
  const T& Value() const { return std::get<T>(content_); }
  T& operator*() { return Value(); }
  const T& operator*() const { return Value(); }
  T* operator->() { return &Value(); }
  const T* operator->() const { return &Value(); }

  const std::string& ErrorMessage() const { return std::get<Error>(content_).message; }

 private:
  std::variant<T, Error> content_;
};

// What a step with nothing to hand back says: done, or refused (or failed)
// with a reason. A handler, a writer and a check all answer with it.
class Outcome {
 public:
  Outcome() = default;                                // done
  Outcome(Error error) : error_(std::move(error)) {}  // NOLINT: implicit on purpose

  static Outcome Done() { return {}; }
  bool Ok() const { return !error_; }
  explicit operator bool() const { return Ok(); }
  const std::string& ErrorMessage() const { return error_->message; }

 private:
  std::optional<Error> error_;
};

}  // namespace kestrova
