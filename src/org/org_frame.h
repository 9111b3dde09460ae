#pragma once
// Wires the organisation windows into the frame: creates the command set
// (owned by the frame) and installs its menu commands. Other subsystems
// reach it through the returned object, for instance to fill in the card
// file's entry or to use the position chooser of the personal card.
namespace app {
class Tkadr_o;
}

namespace org {

class OrgCommands;

OrgCommands& installFrame(app::Tkadr_o& frame);

}  // namespace org
