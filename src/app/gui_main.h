#pragma once
// The program window in the current (working) folder: start-up, the frame,
// the event loop, shutdown. Returns the process exit code.
namespace app {

int runGui(int argc, char** argv);

}  // namespace app
