// Marks a procedure as running for the guard's life. Procedures that pump
// messages check their flag first, so a message they pump cannot start them
// again inside themselves.
#pragma once

class RunningFlag {
  public:
    explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;
    ~RunningFlag() { flag_ = false; }

  private:
    bool& flag_;
};
