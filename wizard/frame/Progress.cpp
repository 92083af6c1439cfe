#include "wizard/frame/Progress.h"

Progress::~Progress() {
    Destroy();
}

void Progress::Init(ProgressDisplay& prog, int Max, int Pos, int Delay) {
    Prog = &prog;
    prog.Begin(Max, Pos, Delay);
}

void Progress::Destroy() {
    if (Prog)
        Prog->End();
}

void Progress::Pos(int NewPos) {
    if (Prog)
        Prog->SetPos(NewPos);
}

void Progress::Max(int NewMax) {
    if (Prog)
        Prog->SetRange(0, NewMax);
}
