// How fast the built-in images decode, uncompressed as carried and run-length encoded.
// Each decode is one texture load's worth of work on the GUI thread at start-up.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <span>
#include <string_view>
#include <vector>

#include "textures/embedded_images.h"
#include "textures/tga_reader.h"
#include "unit/tga_test_support.h"

namespace {

const MessageSink kIgnore = [](std::string_view, std::string_view) {};

std::vector<uint8_t> Builtin(std::string_view name) {
  std::span<const uint8_t> file = FindEmbeddedImage(name).value();
  return {file.begin(), file.end()};
}

// Run-length encodes stored pixels: equal neighbours become run packets, the rest raw
// packets of up to 128.
std::vector<uint8_t> EncodeRle(const std::vector<uint8_t>& pixels, size_t bytesPerPixel) {
  const size_t count = pixels.size() / bytesPerPixel;
  auto same = [&](size_t a, size_t b) {
    return std::equal(pixels.begin() + a * bytesPerPixel, pixels.begin() + (a + 1) * bytesPerPixel,
                      pixels.begin() + b * bytesPerPixel);
  };
  auto append = [&](std::vector<uint8_t>& out, size_t pixel) {
    out.insert(out.end(), pixels.begin() + pixel * bytesPerPixel,
               pixels.begin() + (pixel + 1) * bytesPerPixel);
  };
  std::vector<uint8_t> out;
  for (size_t i = 0; i < count;) {
    size_t run = 1;
    while (i + run < count && run < 128 && same(i, i + run)) ++run;
    if (run > 1) {
      out.push_back(static_cast<uint8_t>(127 + run));
      append(out, i);
      i += run;
      continue;
    }
    size_t raw = 1;  // up to the next pair of equal pixels
    while (i + raw < count && raw < 128 && !(i + raw + 1 < count && same(i + raw, i + raw + 1)))
      ++raw;
    out.push_back(static_cast<uint8_t>(raw - 1));
    for (size_t k = 0; k < raw; ++k) append(out, i + k);
    i += raw;
  }
  return out;
}

// The same picture as a type-10 file.
std::vector<uint8_t> RunLengthVersion(std::string_view name) {
  std::vector<uint8_t> file = Builtin(name);
  const uint8_t bits = file[16];
  const size_t size = 128 * 128 * bits / 8;
  std::vector<uint8_t> stored(file.begin() + 18, file.begin() + 18 + size);
  return tga_test::MakeTga(10, 128, 128, bits, EncodeRle(stored, bits / 8));
}

void Decode(benchmark::State& state, const std::vector<uint8_t>& file) {
  for (auto _ : state) {
    TgaImage image;
    bool ok = ReadTgaBytes(image, file, kIgnore);
    benchmark::DoNotOptimize(ok);
    benchmark::DoNotOptimize(image.Pixels.data());
  }
  TgaImage image;
  ReadTgaBytes(image, file, kIgnore);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * image.Pixels.size()));
}

void DecodeMeteorUncompressed(benchmark::State& state) {
  Decode(state, Builtin("meteor"));
}
void DecodeSmokeUncompressed(benchmark::State& state) {
  Decode(state, Builtin("dym1"));
}
void DecodeMeteorRunLength(benchmark::State& state) {
  Decode(state, RunLengthVersion("meteor"));
}
void DecodeSmokeRunLength(benchmark::State& state) {
  Decode(state, RunLengthVersion("dym1"));
}

// A picture that is all long runs: the packet loop's best case.
void DecodeSolidRunLength(benchmark::State& state) {
  std::vector<uint8_t> packets;
  for (int i = 0; i < 128; ++i) packets.insert(packets.end(), {255, 10, 20, 30, 40});
  Decode(state, tga_test::MakeTga(10, 128, 128, 32, packets));
}

// All three start-up loads, looked up by name as LoadSceneTextures does.
void ReadAllBuiltinImages(benchmark::State& state) {
  for (auto _ : state)
    for (std::string_view name : {"meteor", "metal", "dym1"}) {
      TgaImage image;
      benchmark::DoNotOptimize(ReadTga(image, name, kIgnore));
    }
}

BENCHMARK(DecodeMeteorUncompressed);
BENCHMARK(DecodeSmokeUncompressed);
BENCHMARK(DecodeMeteorRunLength);
BENCHMARK(DecodeSmokeRunLength);
BENCHMARK(DecodeSolidRunLength);
BENCHMARK(ReadAllBuiltinImages);

}  // namespace
