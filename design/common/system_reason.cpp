#include "design/common/system_reason.h"

#include <cerrno>
#include <new>

namespace pedivo {

std::string systemReason(int code) {
  switch (code) {
    case ENOENT: return "文件或文件夹不存在";
    case EACCES:
    case EPERM: return "没有权限";
    case ENOSPC: return "磁盘已满";
    case EDQUOT: return "磁盘配额已满";
    case EROFS: return "只读文件系统";
    case ENAMETOOLONG: return "文件名过长";
    case ENOTDIR: return "路径中有一段不是文件夹";
    case EISDIR: return "这是一个文件夹";
    case ELOOP: return "符号链接层数过多";
    case EEXIST: return "文件已存在";
    case EBUSY:
    case ETXTBSY: return "文件正被占用";
    case EMFILE:
    case ENFILE: return "同时打开的文件过多";
    case ENOMEM: return "内存不足";
    case EFBIG: return "文件过大";
    case EXDEV: return "不能移动到另一个文件系统";
    case EIO: return "读写设备出错";
    case 0: return "原因不明";
    default: return "系统错误（代码 " + std::to_string(code) + "）";
  }
}

std::string systemReason(const std::error_code& error) {
  if (error.category() == std::generic_category() || error.category() == std::system_category())
    return systemReason(error.value());
  return "系统错误（代码 " + std::to_string(error.value()) + "）";
}

std::string unexpectedFailure(const std::exception& error) {
  if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) return "无法处理：内存不足";
  if (const auto* system = dynamic_cast<const std::system_error*>(&error))
    return "无法处理：" + systemReason(system->code());
  return "无法处理：程序内部错误";
}

}  // namespace pedivo
