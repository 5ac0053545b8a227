#pragma once
// Why the system refused a file operation, in the user's words. The system's own texts are
// English ("No such file or directory") and never reach a message.

#include <exception>
#include <string>
#include <system_error>

namespace pedivo {

// For an errno value.
std::string systemReason(int code);
// For an error of std::filesystem (or any error in the generic or system category).
std::string systemReason(const std::error_code& error);
// For a failure nobody planned for (memory, the system): "无法处理：内存不足".
std::string unexpectedFailure(const std::exception& error);

}  // namespace pedivo
