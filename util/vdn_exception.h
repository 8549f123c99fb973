#pragma once

#include <exception>
#include <string>

namespace vardane {

// The program's own exception: thrown where a low-level routine meets a
// condition the run cannot continue from. The run driver logs what() alone.
class vdn_exception : public std::exception {
public:
    explicit vdn_exception(const char* message) : message_(message ? message : "") {}
    explicit vdn_exception(std::string message) : message_(std::move(message)) {}
    vdn_exception(const vdn_exception&) = default;
    vdn_exception& operator=(const vdn_exception&) = default;

    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

} // namespace vardane
