#pragma once

#include <exception>
#include <string>
#include <utility>

#include "util/failure.h"

namespace vardane {

// The program's own exception: thrown where a low-level routine meets a
// condition its caller cannot go on from. The message is what the log shows;
// the failure names the file and the cause for the report and the window.
class vdn_exception : public std::exception {
public:
    explicit vdn_exception(const char* message) : message_(message ? message : "") {}
    explicit vdn_exception(std::string message) : message_(std::move(message)) {}
    // The message is the failure's cause.
    explicit vdn_exception(failure why) : message_(why.cause), failure_(std::move(why)) {}
    vdn_exception(std::string message, failure why) : message_(std::move(message)), failure_(std::move(why)) {}
    vdn_exception(const vdn_exception&) = default;
    vdn_exception& operator=(const vdn_exception&) = default;

    const char* what() const noexcept override { return message_.c_str(); }
    // The file and cause; a message-only exception has the message as cause
    // and no file.
    failure why() const { return failure_.failed() ? failure_ : failure{{}, message_}; }

private:
    std::string message_;
    failure failure_;
};

} // namespace vardane
