#pragma once
// The gallery: each scene renders one sheet headless into a bitmap. Scenes
// register themselves from their own file with MIVO_GALLERY_SCENE, so adding a
// component's sheet touches no other file. The image tests reuse the scenes.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "mivo/platform/bitmap.h"

namespace mivo::gallery {

struct Scene {
  std::string FileName;  // "canvas.png"
  std::function<void(TBitmap&)> Render;
};

std::vector<Scene>& Scenes();

// The folder the sheets go to; scenes that write files of their own besides
// their sheet put them here.
std::filesystem::path& OutDir();

struct SceneRegistrar {
  SceneRegistrar(std::string fileName, std::function<void(TBitmap&)> render) {
    Scenes().push_back({std::move(fileName), std::move(render)});
  }
};

}  // namespace mivo::gallery

#define MIVO_GALLERY_CONCAT2(a, b) a##b
#define MIVO_GALLERY_CONCAT(a, b) MIVO_GALLERY_CONCAT2(a, b)
#define MIVO_GALLERY_SCENE(fileName, fn) \
  static ::mivo::gallery::SceneRegistrar MIVO_GALLERY_CONCAT(sceneRegistrar_, __LINE__)(fileName, fn)
