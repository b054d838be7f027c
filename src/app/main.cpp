// Corvane Sensors Tool: brings a phone on a serial port into service mode, shows its
// identification and sensor values, and edits its sensor calibration block.
#include "app/Startup.h"
#include "platform/Application.h"

int main() {
    platform::HoldTerminationSignals();
    return app::RunCorvaneSensorsTool();
}
