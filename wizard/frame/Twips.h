// Twips and pixels: the form layer lays windows out in twips (1440 to the
// inch) and turns them into pixels at the screen's real resolution, read once
// (the program is system-DPI aware).
#pragma once

int ScreenDpiX();
int ScreenDpiY();
int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);
double PixelsToTwipsX(int pixels);
double PixelsToTwipsY(int pixels);
// Pixels given for a 96-DPI screen, at the screen's resolution.
int ScalePixelsX(int pixels96);
int ScalePixelsY(int pixels96);
