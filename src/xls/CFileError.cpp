#include "xls/CFileError.h"

namespace {
const char *const kMessages[] = {
    "Can not create a file",
    "Can not create a stream",
    "Can not create a storage",
    "Can not open a file (probably it is already opened or does not exist)",
    "Can not open a stream",
    "Can not open a storage",
    "Can not set stream position",
    "Can not commit a storage",
};
} // namespace

ECFileError::ECFileError(int code, QString detail)
    : std::runtime_error(messageOf(code)), m_code(code), m_detail(std::move(detail))
{
}

const char *ECFileError::messageOf(int code)
{
    if (code < 0 || code >= int(std::size(kMessages)))
        return "Compound file error";
    return kMessages[code];
}
