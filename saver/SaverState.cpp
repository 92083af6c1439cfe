#include "saver/SaverState.h"

SaverTrailer CurrentTrailer{};
SaverSettings* CurrentSettings = &CurrentTrailer.Settings;
std::vector<uint8_t> LogoBlock;
