// The files the installer carries, as the build lists them (payload_files.inc, made
// when the build is configured). The uninstaller reads the same list to know which
// files the installer wrote.
#pragma once

#include "install_plan.h"

#include <vector>

namespace varnel::setup {

const std::vector<PayloadFile>& Payload();

} // namespace varnel::setup
