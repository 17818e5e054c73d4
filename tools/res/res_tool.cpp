#include "res_tool.h"

#include <iomanip>
#include <ostream>
#include <span>
#include <sstream>
#include <stdexcept>

#include "engine/component_stream.h"
#include "engine/picture_collection.h"
#include "engine/resource_file.h"
#include "engine/wave_collection.h"
#include "png_writer.h"
#include "text/cp1251.h"

namespace res_tool {

namespace {

constexpr const char* kUsage =
    "usage: perolet-res list FILE\n"
    "       perolet-res extract FILE NAME OUT\n";

enum class TListKind { Images, Waves };

// The lists say what they are in their root's class name.
TListKind KindOf(const std::vector<uint8_t>& bytes) {
  const engine::TStreamComponent root = engine::ReadComponentStream(bytes);
  if (root.className == engine::TWaveCollection::kComponentClassName) return TListKind::Waves;
  return TListKind::Images;
}

std::string Hex(uint32_t rgb) {
  std::ostringstream text;
  text << '#' << std::hex << std::setw(6) << std::setfill('0') << rgb;
  return text.str();
}

void ListImages(const engine::TPictureCollection& images, std::ostream& out) {
  for (int i = 0; i < images.Count(); ++i) {
    const auto& item = images.Items(i);
    // Shown the way pictures are usually written, #rrggbb.
    const uint32_t rgb = item.TransparentPixel();
    out << text::Utf8FromCp1251(item.Name()) << "  picture " << item.Picture.Width() << 'x'
        << item.Picture.Height() << "  pattern " << item.Width() << 'x' << item.Height()
        << "  patterns " << item.PatternCount() << "  transparent "
        << (item.Transparent ? Hex(rgb) : "none") << '\n';
  }
}

void ListWaves(const engine::TWaveCollection& waves, std::ostream& out) {
  for (int i = 0; i < waves.Count(); ++i) {
    const auto& item = waves.Items(i);
    out << text::Utf8FromCp1251(item.Name()) << "  format ";
    if (const auto pcm = item.Wave.Pcm())
      out << pcm->rate << " Hz " << pcm->bits << "-bit " << pcm->channels << " ch";
    else
      out << "unplayable";
    out << "  samples " << item.Wave.SampleFrames() << "  looped " << (item.Looped() ? "yes" : "no")
        << "  max playing " << item.MaxPlayingCount() << '\n';
  }
}

std::string WithExtension(const std::string& path, const std::string& extension) {
  if (path.size() >= extension.size() &&
      path.compare(path.size() - extension.size(), extension.size(), extension) == 0)
    return path;
  return path + extension;
}

void Extract(const std::vector<uint8_t>& bytes, const std::string& utf8Name, const std::string& out,
             std::ostream& log) {
  const std::string name = text::Cp1251FromUtf8(utf8Name);
  if (KindOf(bytes) == TListKind::Waves) {
    engine::TWaveCollection waves;
    waves.LoadFromBytes(bytes);
    const std::string path = WithExtension(out, ".wav");
    engine::WriteResourceFile(path, waves.FindWave(name).Wave.Riff());
    log << path << '\n';
    return;
  }
  engine::TPictureCollection images;
  images.LoadFromBytes(bytes);
  const auto& picture = images.FindImage(name).Picture;
  if (picture.Empty()) throw std::runtime_error("Image '" + utf8Name + "' has no picture");
  const std::string path = WithExtension(out, ".png");
  tools::WritePng(path, picture.Pixels().data(), picture.Width(), picture.Height());
  log << path << '\n';
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const bool list = args.size() == 2 && args[0] == "list";
  const bool extract = args.size() == 4 && args[0] == "extract";
  if (!list && !extract) {
    err << kUsage;
    return kExitUsage;
  }
  try {
    const std::vector<uint8_t> bytes = engine::ReadResourceFile(args[1]);
    if (extract) {
      Extract(bytes, args[2], args[3], out);
    } else if (KindOf(bytes) == TListKind::Waves) {
      engine::TWaveCollection waves;
      waves.LoadFromBytes(bytes);
      ListWaves(waves, out);
    } else {
      engine::TPictureCollection images;
      images.LoadFromBytes(bytes);
      ListImages(images, out);
    }
  } catch (const std::exception& e) {
    err << "perolet-res: " << e.what() << '\n';
    return kExitError;
  }
  return kExitOk;
}

}  // namespace res_tool
