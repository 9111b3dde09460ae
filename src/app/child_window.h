#pragma once
// What a child window of the frame offers the command bounce: its
// activation handler, which performs the command flags it supports.
namespace app {

class ChildWindow {
public:
    virtual ~ChildWindow() = default;
    virtual void FormActivate() = 0;
};

}  // namespace app
