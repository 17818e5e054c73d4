#pragma once

class TScreenHost;

// Behind the menus: the menu picture on the sky band, standing still, the pointer shown, and
// the menus' music when it is to start.
void ShowMenuBackdrop(TScreenHost& host, bool startMusic);
