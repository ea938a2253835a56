// Measures loading a 2,000-triangle .x model from disk and decoding a 512x512 JPEG, in
// milliseconds.
#include <benchmark/benchmark.h>
#include <turbojpeg.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "render/platform/formats/image.h"
#include "render/platform/formats/xfile.h"

namespace {

constexpr int kGridColumns = 32;

// A grid of `quads` quads (two triangles each) in a transformed frame, with normals, texture
// coordinates and two materials.
std::string GridModel(int quads) {
  const int columns = kGridColumns;
  const int rows = (quads + columns - 1) / columns;
  std::string text =
      "xof 0303txt 0032\nFrame Grid {\n FrameTransformMatrix { 1,0,0,0, 0,1,0,0, "
      "0,0,1,0, 5,0,-5,1;; }\n Mesh {\n";
  const int vertices = (columns + 1) * (rows + 1);
  text += "  " + std::to_string(vertices) + ";\n";
  for (int r = 0; r <= rows; ++r) {
    for (int c = 0; c <= columns; ++c) {
      text += "  " + std::to_string(c * 0.25) + ";0.000000;" + std::to_string(r * 0.25) +
              (r == rows && c == columns ? ";;\n" : ";,\n");
    }
  }
  text += "  " + std::to_string(quads) + ";\n";
  for (int q = 0; q < quads; ++q) {
    const int r = q / columns, c = q % columns;
    const int a = r * (columns + 1) + c;
    text += "  4;" + std::to_string(a) + "," + std::to_string(a + columns + 1) + "," +
            std::to_string(a + columns + 2) + "," + std::to_string(a + 1) +
            (q + 1 == quads ? ";;\n" : ";,\n");
  }
  text += "  MeshNormals { 1; 0.000000;1.000000;0.000000;; " + std::to_string(quads) + ";\n";
  for (int q = 0; q < quads; ++q) {
    text += std::string("   4;0,0,0,0") + (q + 1 == quads ? ";;\n" : ";,\n");
  }
  text += "  }\n  MeshTextureCoords { " + std::to_string(vertices) + ";\n";
  for (int v = 0; v < vertices; ++v) {
    text += "   " + std::to_string((v % (columns + 1)) / double(columns)) + ";" +
            std::to_string((v / (columns + 1)) / double(rows)) +
            (v + 1 == vertices ? ";;\n" : ";,\n");
  }
  text += "  }\n  MeshMaterialList { 2; " + std::to_string(quads) + ";\n";
  for (int q = 0; q < quads; ++q) {
    text += std::string("   ") + (q % 2 == 0 ? "0" : "1") + (q + 1 == quads ? ";;\n" : ",\n");
  }
  text +=
      "   Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { \"grid.jpg\"; } }\n"
      "   Material { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; }\n  }\n }\n}\n";
  return text;
}

// Writes the model to a temporary file for the lifetime of the benchmark.
class ModelFile {
 public:
  ModelFile()
      : path_((std::filesystem::temp_directory_path() /
               ("kz_bench_grid_" + std::to_string(::getpid()) + ".x"))
                  .string()) {
    std::ofstream(path_, std::ios::binary) << GridModel(1000);
  }
  ~ModelFile() { std::filesystem::remove(path_); }
  ModelFile(const ModelFile&) = delete;
  ModelFile& operator=(const ModelFile&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

void BM_LoadXFile(benchmark::State& state) {
  const ModelFile file;
  std::size_t triangles = 0;
  for (auto _ : state) {
    std::string bytes, error;
    xfile::Mesh mesh;
    if (!image::ReadFile(file.path(), bytes, error) || !xfile::Parse(bytes, mesh, error)) {
      state.SkipWithError(error.c_str());
      return;
    }
    triangles = mesh.attributes.size();
    benchmark::DoNotOptimize(mesh.vertices.data());
  }
  state.counters["triangles"] = static_cast<double>(triangles);
}
BENCHMARK(BM_LoadXFile)->Unit(benchmark::kMillisecond);

// A 512x512 picture with gradients and noise-like detail, encoded at quality 90, 4:2:0.
std::string TestJpeg(int size) {
  std::vector<unsigned char> rgb(static_cast<std::size_t>(size) * static_cast<std::size_t>(size) *
                                 3);
  for (std::size_t i = 0; i < rgb.size(); ++i) {
    const std::size_t pixel = i / 3, x = pixel % static_cast<std::size_t>(size),
                      y = pixel / static_cast<std::size_t>(size);
    rgb[i] = static_cast<unsigned char>((x * (i % 3 + 1) + y * 3 + (x * y) % 17) & 0xff);
  }
  const std::unique_ptr<void, int (*)(tjhandle)> handle(tjInitCompress(), tjDestroy);
  unsigned char* jpeg = nullptr;
  unsigned long length = 0;
  tjCompress2(handle.get(), rgb.data(), size, 0, size, TJPF_RGB, &jpeg, &length, TJSAMP_420, 90, 0);
  std::string bytes(reinterpret_cast<const char*>(jpeg), length);
  tjFree(jpeg);
  return bytes;
}

void BM_DecodeJpeg512(benchmark::State& state) {
  const std::string jpeg = TestJpeg(512);
  for (auto _ : state) {
    image::Image picture;
    std::string error;
    if (!image::DecodeJpeg(jpeg, picture, error)) {
      state.SkipWithError(error.c_str());
      return;
    }
    benchmark::DoNotOptimize(picture.rgba.data());
  }
  state.counters["jpeg_bytes"] = static_cast<double>(jpeg.size());
}
BENCHMARK(BM_DecodeJpeg512)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
