#pragma once
// The program window in the current (working) folder: start-up, the frame,
// the event loop, shutdown. Returns the process exit code.
#include <functional>
#include <vector>

namespace app {

class Tkadr_o;

// A subsystem's wiring into the frame: gives menu commands their handlers
// once the frame is created, before it is shown.
using FrameInstaller = std::function<void(Tkadr_o&)>;

int runGui(int argc, char** argv, const std::vector<FrameInstaller>& installers = {});

}  // namespace app
