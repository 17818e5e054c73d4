#include "platform/sdl/sdl_renderer_probe.h"

#include <cstring>

namespace platform {

namespace {

constexpr unsigned kGlRenderer = 0x1F01;  // GL_RENDERER
using TGlGetString = const unsigned char* (*)(unsigned);

// The GL_RENDERER string of the context the renderer made current; empty for other drivers.
std::string GlRendererName(const SDL_RendererInfo& info) {
  if (std::strncmp(info.name, "opengl", 6) != 0) return {};
  auto getString = reinterpret_cast<TGlGetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = getString ? getString(kGlRenderer) : nullptr;
  return name ? reinterpret_cast<const char*>(name) : "";
}

}  // namespace

bool IsSoftwareGlRenderer(const std::string& glRenderer) {
  for (const char* software :
       {"llvmpipe", "softpipe", "swrast", "Software Rasterizer", "SwiftShader", "lavapipe"})
    if (glRenderer.find(software) != std::string::npos) return true;
  return false;
}

bool RendererIsHardware(SDL_Renderer* renderer) {
  SDL_RendererInfo info{};
  if (SDL_GetRendererInfo(renderer, &info) != 0) return false;
  if (!(info.flags & SDL_RENDERER_ACCELERATED) || std::strcmp(info.name, "software") == 0)
    return false;
  return !IsSoftwareGlRenderer(GlRendererName(info));
}

SDL_Renderer* MakeRenderer(SDL_Window* window, bool vsync, bool hardwareOnly) {
  const Uint32 flags = SDL_RENDERER_ACCELERATED | (vsync ? SDL_RENDERER_PRESENTVSYNC : 0);
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, flags);
  if (!renderer) return nullptr;
  if (hardwareOnly && !RendererIsHardware(renderer)) {
    SDL_DestroyRenderer(renderer);
    return nullptr;
  }
  return renderer;
}

}  // namespace platform
