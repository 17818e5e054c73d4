#include "platform/text_rasterizer.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace platform {

namespace {

constexpr int kDpi = 96;
constexpr int kMinPoints = 1;
constexpr int kMaxPoints = 400;

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

std::vector<std::string> FamiliesFor(const std::string& face) {
  const std::string name = Lower(face);
  if (name == "courier" || name == "ds crystal" || name == "courier new") {
    return {"DejaVu Sans Mono", "Liberation Mono", "monospace"};
  }
  return {"PT Sans", "DejaVu Sans", "sans-serif"};
}

// The file of the first family fontconfig really has (it answers every request with
// something, so the family it matched is checked).
std::string MatchFamily(const std::string& family, bool exact) {
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family.c_str()));
  if (!pattern) return {};
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return {};
  std::string file;
  FcChar8* matchedFamily = nullptr;
  FcChar8* path = nullptr;
  if (FcPatternGetString(match, FC_FAMILY, 0, &matchedFamily) == FcResultMatch &&
      FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch &&
      (!exact || Lower(reinterpret_cast<char*>(matchedFamily)) == Lower(family))) {
    file = reinterpret_cast<char*>(path);
  }
  FcPatternDestroy(match);
  return file;
}

}  // namespace

struct TTextRasterizer::TOpenFont {
  TTF_Font* font = nullptr;
  ~TOpenFont() {
    if (font) TTF_CloseFont(font);
  }
};

TTextRasterizer::TTextRasterizer() {
  if (TTF_Init() != 0) {
    unusable_ = std::string("Fonts cannot be used: ") + TTF_GetError();
    return;
  }
  FcInit();
}

TTextRasterizer::~TTextRasterizer() {
  fonts_.clear();
  if (unusable_.empty()) TTF_Quit();
}

std::string TTextRasterizer::FontFile(const std::string& face) {
  const auto known = files_.find(face);
  if (known != files_.end()) return known->second;
  std::string file;
  const auto families = FamiliesFor(face);
  for (size_t i = 0; i < families.size() && file.empty(); ++i) {
    // The generic names at the end take whatever the system offers.
    file = MatchFamily(families[i], i + 1 < families.size());
  }
  files_[face] = file;
  return file;
}

TTextRasterizer::TOpenFont* TTextRasterizer::Font(const std::string& face, int points) {
  if (!unusable_.empty()) throw std::runtime_error(unusable_);
  points = std::clamp(points, kMinPoints, kMaxPoints);
  auto& slot = fonts_[{face, points}];
  if (slot) return slot.get();
  const std::string file = FontFile(face);
  if (file.empty()) throw std::runtime_error("No font is installed for \"" + face + "\"");
  auto font = std::make_unique<TOpenFont>();
  font->font = TTF_OpenFontDPI(file.c_str(), points, kDpi, kDpi);
  if (!font->font)
    throw std::runtime_error("Font \"" + file + "\" cannot be opened: " + TTF_GetError());
  slot = std::move(font);
  return slot.get();
}

void TTextRasterizer::Measure(const std::string& face, int points, const std::string& utf8,
                              int& width, int& height) {
  TTF_Font* font = Font(face, points)->font;
  width = 0;
  height = TTF_FontHeight(font);
  if (!utf8.empty()) TTF_SizeUTF8(font, utf8.c_str(), &width, nullptr);
}

TTextMask TTextRasterizer::Render(const std::string& face, int points, const std::string& utf8) {
  TTextMask mask;
  if (utf8.empty()) return mask;
  TTF_Font* font = Font(face, points)->font;
  SDL_Surface* text = TTF_RenderUTF8_Blended(font, utf8.c_str(), SDL_Color{255, 255, 255, 255});
  if (!text) return mask;
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(text, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(text);
  if (!argb) return mask;
  mask.width = argb->w;
  mask.height = argb->h;
  mask.coverage.resize(static_cast<size_t>(mask.width) * mask.height);
  for (int y = 0; y < argb->h; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) +
                                                        static_cast<size_t>(y) * argb->pitch);
    for (int x = 0; x < argb->w; ++x) {
      mask.coverage[static_cast<size_t>(y) * mask.width + x] = static_cast<uint8_t>(row[x] >> 24);
    }
  }
  SDL_FreeSurface(argb);
  return mask;
}

}  // namespace platform
