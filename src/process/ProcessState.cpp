#include "process/ProcessState.h"

namespace process {

settings::Settings Config;
int32_t ComHandle = -1;
const servicelib::SupportedMobile* SupportedMobiles = nullptr;

}  // namespace process
