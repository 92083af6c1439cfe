#include "wizard/pages/frmAbout.h"

void ShowAbout(Form& /*owner*/, bool /*modal*/) {}
