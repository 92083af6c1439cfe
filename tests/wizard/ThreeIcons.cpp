// A library that carries only its icons (ThreeIcons.rc); no code of it is used.
