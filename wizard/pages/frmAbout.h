// "About Quorvel Screensaver Creator": the creator's version, credits and site.
#pragma once

class Form;

// Shows the About box owned by `owner`, modal or modeless. A request while
// the box is open brings it forward instead.
void ShowAbout(Form& owner, bool modal);
