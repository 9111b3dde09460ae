#pragma once
// Errors as values: the Qt-free layers return a Status (or a Result<T>) and
// the windows turn it into a message at their edge. Messages are cp1251 text,
// like all data inside the program.
#include <string>
#include <utility>

namespace base {

class Status {
public:
    enum class Code { Ok, NotFound, Busy, Corrupt, IoError, Invalid };

    Status() = default;
    static Status ok() { return {}; }
    static Status notFound(std::string m) { return {Code::NotFound, std::move(m)}; }
    static Status busy(std::string m) { return {Code::Busy, std::move(m)}; }
    static Status corrupt(std::string m) { return {Code::Corrupt, std::move(m)}; }
    static Status ioError(std::string m) { return {Code::IoError, std::move(m)}; }
    static Status invalid(std::string m) { return {Code::Invalid, std::move(m)}; }

    bool isOk() const { return code_ == Code::Ok; }
    explicit operator bool() const { return isOk(); }
    Code code() const { return code_; }
    const std::string& message() const { return message_; }

private:
    Status(Code c, std::string m) : code_(c), message_(std::move(m)) {}
    Code code_ = Code::Ok;
    std::string message_;
};

// A value or the status that explains why there is none.
template <class T>
class Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(Status status) : status_(std::move(status)) {}

    bool isOk() const { return status_.isOk(); }
    explicit operator bool() const { return isOk(); }
    const Status& status() const { return status_; }
    T& value() { return value_; }
    const T& value() const { return value_; }
    T& operator*() { return value_; }
    T* operator->() { return &value_; }
    const T* operator->() const { return &value_; }

private:
    Status status_;
    T value_{};
};

}  // namespace base
