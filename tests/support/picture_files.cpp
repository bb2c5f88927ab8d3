#include "support/picture_files.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <gtest/gtest.h>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/errors.h"

namespace mivo::test {

namespace {

std::string Head(const std::string& file, std::size_t n) {
  std::ifstream in(file, std::ios::binary);
  std::string s(n, '\0');
  in.read(s.data(), std::streamsize(n));
  s.resize(std::size_t(in.gcount()));
  return s;
}

std::string Text(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

std::string UnsupportedPictureMessage(const std::string& fileName, const std::string& ext, bool vectorOnly) {
  return "picture file '" + fileName + "': unsupported file type " + (ext.empty() ? "(no extension)" : "'" + ext + "'") +
         "; the supported ones are " + (vectorOnly ? ".svg and .pdf" : ".png, .bmp, .svg and .pdf");
}

namespace {

void ExpectRefused(const std::function<void(const std::string&)>& save, const std::string& stem,
                   const std::vector<std::string>& exts, bool vectorOnly, const std::string& what) {
  for (const std::string& ext : exts) {
    const std::string file = stem + ext;
    std::filesystem::remove(file);
    try {
      save(file);
      ADD_FAILURE() << what << ": no error for '" << file << "'";
    } catch (const EMivoError& e) {
      EXPECT_EQ(std::string(e.what()), UnsupportedPictureMessage(file, ext, vectorOnly)) << what;
    }
    EXPECT_FALSE(std::filesystem::exists(file)) << what << " wrote " << file;
  }
}

}  // namespace

void ExpectVectorCopyByExtension(const std::function<void(const std::string&)>& copy, const std::string& stem,
                                 const std::string& what) {
  for (const std::string ext : {".svg", ".pdf", ".PDF"}) {
    const std::string file = stem + ext;
    copy(file);
    const std::string text = Text(file);
    if (ext == ".svg")
      EXPECT_NE(text.find("<svg"), std::string::npos) << what;
    else
      EXPECT_EQ(text.substr(0, 5), "%PDF-") << what << " " << ext;
    std::filesystem::remove(file);
  }
  ExpectRefused(copy, stem, {".eps", ".png", ""}, true, what);
}

void ExpectSavesByExtension(const std::function<void(const std::string&)>& save, const std::string& stem, int width,
                            int height, const std::string& what) {
  struct Row {
    const char* Ext;
    const char* Signature;
  };
  const Row rows[] = {{".png", "\x89PNG"}, {".PNG", "\x89PNG"}, {".bmp", "BM"}, {".svg", nullptr}, {".pdf", "%PDF"}};
  for (const Row& r : rows) {
    const std::string file = stem + r.Ext;
    std::filesystem::remove(file);
    try {
      save(file);
    } catch (const std::exception& e) {
      ADD_FAILURE() << what << " " << r.Ext << ": " << e.what();
      continue;
    }
    if (r.Signature) {
      EXPECT_EQ(Head(file, std::string(r.Signature).size()), r.Signature) << what << " " << r.Ext;
    } else {
      EXPECT_NE(Text(file).find("<svg"), std::string::npos) << what << " " << r.Ext;
    }
    if (std::string(r.Ext) == ".bmp") {
      TBitmap b;
      b.LoadFromFile(file);
      EXPECT_EQ(b.Width(), width) << what;
      EXPECT_EQ(b.Height(), height) << what;
    }
    std::filesystem::remove(file);
  }
  ExpectRefused(save, stem, {".eps", ".jpg", ""}, false, what);
}

}  // namespace mivo::test
