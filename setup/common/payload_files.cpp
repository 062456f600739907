#include "payload_files.h"

namespace varnel::setup {

const std::vector<PayloadFile>& Payload()
{
    static const std::vector<PayloadFile> files = {
#include "payload_files.inc"
    };
    return files;
}

} // namespace varnel::setup
