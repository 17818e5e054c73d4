#pragma once

#include <SDL.h>

#include <string>

namespace platform {

// Whether SDL's renderer draws on real graphics hardware here: accelerated, and not one of the
// OpenGL implementations that emulate a GPU on the processor (those cost far more than our
// own scaler does).
bool RendererIsHardware(SDL_Renderer* renderer);
// The names of the software OpenGL implementations, as their GL_RENDERER strings show them.
bool IsSoftwareGlRenderer(const std::string& glRenderer);

// Makes a renderer for the window (with vsync if asked); null when none can be had, or when
// `hardwareOnly` and it is not hardware.
SDL_Renderer* MakeRenderer(SDL_Window* window, bool vsync, bool hardwareOnly);

}  // namespace platform
