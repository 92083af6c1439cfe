// The colours of the transparent-colour swatch: its disabled look and the
// inverse colour the keyed pixels flash in. Colours are COLORREFs.
#pragma once

#include <cstdint>

// Each channel the mean of `colour` and `face`, halves to even.
int32_t DisabledSwatchColour(int32_t colour, int32_t face);

// The RGB bits of `colour` inverted, with a zero top byte.
int32_t InverseColour(int32_t colour);
