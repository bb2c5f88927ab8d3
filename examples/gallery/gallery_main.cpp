// Renders every registered scene to <out dir>/<file name> and prints where.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>

#include "gallery.h"

namespace mivo::gallery {
std::vector<Scene>& Scenes() {
  static std::vector<Scene> scenes;
  return scenes;
}
std::filesystem::path& OutDir() {
  static std::filesystem::path dir = "out/gallery";
  return dir;
}
}  // namespace mivo::gallery

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  const fs::path outDir = argc > 1 ? fs::path(argv[1]) : fs::path("out/gallery");
  fs::create_directories(outDir);
  mivo::gallery::OutDir() = outDir;
  auto& scenes = mivo::gallery::Scenes();
  std::sort(scenes.begin(), scenes.end(), [](const auto& a, const auto& b) { return a.FileName < b.FileName; });
  int failures = 0;
  for (const auto& scene : scenes) {
    try {
      mivo::TBitmap bmp;
      scene.Render(bmp);
      const fs::path file = outDir / scene.FileName;
      bmp.SaveToPNG(file.string());
      std::printf("wrote %s (%d x %d)\n", fs::absolute(file).string().c_str(), bmp.Width(), bmp.Height());
    } catch (const std::exception& e) {
      std::fprintf(stderr, "gallery: %s failed: %s\n", scene.FileName.c_str(), e.what());
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
