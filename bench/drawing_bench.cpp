// Our drawing operations against SDL's own software paths on the same sizes.
#include <SDL.h>
#include <SDL2_rotozoom.h>
#include <SDL_ttf.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/surface.h"
#include "platform/text_rasterizer.h"
#include "ratio_pairs.h"

namespace {

using engine::TDirectDrawSurface;

constexpr int kScreenW = 800, kScreenH = 600;
constexpr uint32_t kKey = 0xFF00FF;
constexpr int kSprites = 200, kSpriteSize = 64;
constexpr int kBlends = 50, kBlendW = 250, kBlendH = 45;
constexpr int kRotations = 50;
constexpr int kTextLines = 20;

SDL_Surface* NewSdlSurface(int w, int h) {
  return SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGB888);
}

// A disc on the colour key: about 78 % of the square is opaque.
void PaintSprite(uint32_t* pixels, int pitch, int size) {
  const int r = size / 2;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const int dx = x - r, dy = y - r;
      pixels[y * pitch + x] = dx * dx + dy * dy < r * r ? 0x203040u + uint32_t(x * 3 + y) : kKey;
    }
}

void PaintGradient(uint32_t* pixels, int pitch, int w, int h) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) pixels[y * pitch + x] = uint32_t((x * 5) << 16 | (y * 3) << 8 | 90);
}

int SpriteX(int i) {
  return (i * 97) % (kScreenW - kSpriteSize);
}
int SpriteY(int i) {
  return (i * 53) % (kScreenH - kSpriteSize);
}

void BM_OursFill(benchmark::State& state) {
  TDirectDrawSurface screen(kScreenW, kScreenH);
  for (auto _ : state) {
    screen.Fill(0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_OursFill);

void BM_SdlFill(benchmark::State& state) {
  SDL_Surface* screen = NewSdlSurface(kScreenW, kScreenH);
  for (auto _ : state) {
    SDL_FillRect(screen, nullptr, 0);
    benchmark::ClobberMemory();
  }
  SDL_FreeSurface(screen);
}
BENCHMARK(BM_SdlFill);

void BM_MemsetFill(benchmark::State& state) {
  std::vector<uint32_t> bytes(kScreenW * kScreenH);
  for (auto _ : state) {
    std::memset(bytes.data(), 0, bytes.size() * 4);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MemsetFill);

void BM_OursDrawKey(benchmark::State& state) {
  TDirectDrawSurface screen(kScreenW, kScreenH);
  TDirectDrawSurface sprite(kSpriteSize, kSpriteSize);
  PaintSprite(sprite.Pixels(), kSpriteSize, kSpriteSize);
  sprite.SetTransparentColor(kKey);
  for (auto _ : state) {
    for (int i = 0; i < kSprites; ++i) {
      screen.Draw(SpriteX(i), SpriteY(i), {0, 0, kSpriteSize, kSpriteSize}, &sprite, true);
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_OursDrawKey);

void BM_SdlDrawKey(benchmark::State& state) {
  SDL_Surface* screen = NewSdlSurface(kScreenW, kScreenH);
  SDL_Surface* sprite = NewSdlSurface(kSpriteSize, kSpriteSize);
  PaintSprite(static_cast<uint32_t*>(sprite->pixels), sprite->pitch / 4, kSpriteSize);
  SDL_SetColorKey(sprite, SDL_TRUE | SDL_RLEACCEL, kKey);
  for (auto _ : state) {
    for (int i = 0; i < kSprites; ++i) {
      SDL_Rect at{SpriteX(i), SpriteY(i), kSpriteSize, kSpriteSize};
      SDL_BlitSurface(sprite, nullptr, screen, &at);
    }
    benchmark::ClobberMemory();
  }
  SDL_FreeSurface(sprite);
  SDL_FreeSurface(screen);
}
BENCHMARK(BM_SdlDrawKey);

void OursAlpha(benchmark::State& state, int destW, int destH) {
  TDirectDrawSurface screen(kScreenW, kScreenH);
  TDirectDrawSurface panel(kBlendW, kBlendH);
  PaintGradient(panel.Pixels(), kBlendW, kBlendW, kBlendH);
  for (auto _ : state) {
    for (int i = 0; i < kBlends; ++i) {
      const int x = (i * 37) % (kScreenW - destW), y = (i * 41) % (kScreenH - destH);
      screen.DrawAlpha({x, y, x + destW, y + destH}, {0, 0, kBlendW, kBlendH}, &panel, false, 128);
    }
    benchmark::ClobberMemory();
  }
}

void SdlAlpha(benchmark::State& state, int destW, int destH) {
  SDL_Surface* screen = NewSdlSurface(kScreenW, kScreenH);
  SDL_Surface* panel = NewSdlSurface(kBlendW, kBlendH);
  PaintGradient(static_cast<uint32_t*>(panel->pixels), panel->pitch / 4, kBlendW, kBlendH);
  SDL_SetSurfaceAlphaMod(panel, 128);
  SDL_SetSurfaceBlendMode(panel, SDL_BLENDMODE_BLEND);
  const bool scaled = destW != kBlendW || destH != kBlendH;
  for (auto _ : state) {
    for (int i = 0; i < kBlends; ++i) {
      SDL_Rect at{(i * 37) % (kScreenW - destW), (i * 41) % (kScreenH - destH), destW, destH};
      if (scaled) {
        SDL_BlitScaled(panel, nullptr, screen, &at);
      } else {
        SDL_BlitSurface(panel, nullptr, screen, &at);
      }
    }
    benchmark::ClobberMemory();
  }
  SDL_FreeSurface(panel);
  SDL_FreeSurface(screen);
}

void BM_OursAlpha(benchmark::State& state) {
  OursAlpha(state, kBlendW, kBlendH);
}
void BM_SdlAlpha(benchmark::State& state) {
  SdlAlpha(state, kBlendW, kBlendH);
}
void BM_OursAlphaStretch(benchmark::State& state) {
  OursAlpha(state, 375, 68);
}
void BM_SdlAlphaStretch(benchmark::State& state) {
  SdlAlpha(state, 375, 68);
}
BENCHMARK(BM_OursAlpha);
BENCHMARK(BM_SdlAlpha);
BENCHMARK(BM_OursAlphaStretch);
BENCHMARK(BM_SdlAlphaStretch);

void BM_OursRotate(benchmark::State& state) {
  TDirectDrawSurface screen(kScreenW, kScreenH);
  TDirectDrawSurface shot(32, 16);
  PaintSprite(shot.Pixels(), 32, 16);
  shot.SetTransparentColor(kKey);
  for (auto _ : state) {
    for (int i = 0; i < kRotations; ++i) {
      screen.DrawRotate(100 + i * 11, 100 + i * 7, 32, 16, {0, 0, 32, 16}, &shot, 0.5, 0.5, true,
                        20);
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_OursRotate);

void BM_SdlRotate(benchmark::State& state) {
  SDL_Surface* screen = NewSdlSurface(kScreenW, kScreenH);
  SDL_Surface* shot = NewSdlSurface(32, 16);
  PaintSprite(static_cast<uint32_t*>(shot->pixels), shot->pitch / 4, 16);
  SDL_SetColorKey(shot, SDL_TRUE, kKey);
  const double degrees = -20.0 * 360.0 / 256.0;
  for (auto _ : state) {
    for (int i = 0; i < kRotations; ++i) {
      SDL_Surface* turned = rotozoomSurface(shot, degrees, 1.0, SMOOTHING_OFF);
      SDL_Rect at{100 + i * 11, 100 + i * 7, 0, 0};
      SDL_BlitSurface(turned, nullptr, screen, &at);
      SDL_FreeSurface(turned);
    }
    benchmark::ClobberMemory();
  }
  SDL_FreeSurface(shot);
  SDL_FreeSurface(screen);
}
BENCHMARK(BM_SdlRotate);

void BM_OursText(benchmark::State& state) {
  platform::TTextRasterizer fonts;
  TDirectDrawSurface screen(kScreenW, kScreenH, fonts);
  auto& canvas = screen.Canvas();
  canvas.Font = {"Freeset", 18, 0xFFFFFF};
  std::vector<std::string> lines;
  for (int i = 0; i < kTextLines; ++i) lines.push_back(std::string(30, char('A' + i)));
  for (auto _ : state) {
    for (int i = 0; i < kTextLines; ++i) canvas.TextOut(20, i * 28, lines[i]);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_OursText);

void BM_SdlText(benchmark::State& state) {
  SDL_Surface* screen = NewSdlSurface(kScreenW, kScreenH);
  platform::TTextRasterizer fonts;  // for its choice of file; it keeps SDL_ttf open meanwhile
  TTF_Font* font = TTF_OpenFontDPI(fonts.FontFile("Freeset").c_str(), 18, 96, 96);
  std::vector<std::string> lines;
  for (int i = 0; i < kTextLines; ++i) lines.push_back(std::string(30, char('A' + i)));
  for (auto _ : state) {
    for (int i = 0; i < kTextLines; ++i) {
      SDL_Surface* text =
          TTF_RenderUTF8_Blended(font, lines[i].c_str(), SDL_Color{255, 255, 255, 255});
      SDL_Rect at{20, i * 28, 0, 0};
      SDL_BlitSurface(text, nullptr, screen, &at);
      SDL_FreeSurface(text);
    }
    benchmark::ClobberMemory();
  }
  TTF_CloseFont(font);
  SDL_FreeSurface(screen);
}
BENCHMARK(BM_SdlText);

}  // namespace

namespace bench {

const std::vector<TRatioPair>& RatioPairs() {
  static const std::vector<TRatioPair> pairs = {
      {"fill", "BM_OursFill", "BM_SdlFill"},
      {"fill-vs-memset", "BM_OursFill", "BM_MemsetFill"},
      {"draw-key", "BM_OursDrawKey", "BM_SdlDrawKey"},
      {"alpha", "BM_OursAlpha", "BM_SdlAlpha"},
      {"alpha-stretch", "BM_OursAlphaStretch", "BM_SdlAlphaStretch"},
      {"rotate", "BM_OursRotate", "BM_SdlRotate"},
      {"text", "BM_OursText", "BM_SdlText"},
      {"scale-sharp-1080", "BM_OursScaleSharp1080", "BM_SdlScaleLinear1080"},
      {"scale-sharp-2160", "BM_OursScaleSharp2160", "BM_SdlScaleLinear2160"},
  };
  return pairs;
}

}  // namespace bench
