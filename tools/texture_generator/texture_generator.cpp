// Makes the saver's three built-in images (meteor.tga, metal.tga, dym1.tga) from seeded
// noise, so that the committed files can be rebuilt byte for byte from source.
//
//   orvanta-texture-generator <output directory>
//
// All pictures tile seamlessly (the textures repeat in both directions) and are written
// bottom row first, as uncompressed TGA with a TGA 2.0 footer.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kSize = 128;
constexpr double kPi = std::numbers::pi;

// SplitMix64: small, fast and identical on every compiler, unlike std:: distributions.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
  double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
  int Below(int n) { return static_cast<int>(Uniform() * n); }

 private:
  uint64_t state_;
};

// One channel of kSize x kSize samples, row 0 at the top of the picture.
struct Plane {
  std::vector<double> Values = std::vector<double>(kSize * kSize, 0.0);
  double& At(int x, int y) { return Values[y * kSize + x]; }
  double At(int x, int y) const { return Values[y * kSize + x]; }
};

double SmoothStep(double edge0, double edge1, double x) {
  double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
  return t * t * (3.0 - 2.0 * t);
}

double Wrap(double d) {
  return d - std::floor(d + 0.5);
}  // into [-0.5, 0.5)

// Value noise on a lattice of period x period cells that wraps around the tile.
class TileNoise {
 public:
  TileNoise(Random& rng, int period) : period_(period), lattice_(period * period) {
    for (double& value : lattice_) value = rng.Uniform();
  }
  // u, v in tile units; result in [0, 1].
  double operator()(double u, double v) const {
    double x = u * period_, y = v * period_;
    int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    double fx = Fade(x - x0), fy = Fade(y - y0);
    double top = std::lerp(Cell(x0, y0), Cell(x0 + 1, y0), fx);
    double bottom = std::lerp(Cell(x0, y0 + 1), Cell(x0 + 1, y0 + 1), fx);
    return std::lerp(top, bottom, fy);
  }

 private:
  static double Fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }
  double Cell(int x, int y) const {
    x = ((x % period_) + period_) % period_;
    y = ((y % period_) + period_) % period_;
    return lattice_[y * period_ + x];
  }
  int period_;
  std::vector<double> lattice_;
};

// Fractal sum of tiling noise, stretched to fill [0, 1] over the tile.
Plane Fractal(Random& rng, int basePeriod, int octaves, double persistence) {
  std::vector<TileNoise> layers;
  for (int i = 0; i < octaves; ++i) layers.emplace_back(rng, basePeriod << i);
  Plane plane;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      double u = (x + 0.5) / kSize, v = (y + 0.5) / kSize, amplitude = 1.0, sum = 0.0;
      for (const TileNoise& layer : layers) {
        sum += amplitude * layer(u, v);
        amplitude *= persistence;
      }
      plane.At(x, y) = sum;
    }
  auto [lo, hi] = std::minmax_element(plane.Values.begin(), plane.Values.end());
  double min = *lo, span = *hi - *lo;
  for (double& value : plane.Values) value = (value - min) / span;
  return plane;
}

// Box blur with wrap-around, repeated: three passes approximate a Gaussian.
void Blur(Plane& plane, int radius, int passes) {
  for (int pass = 0; pass < passes; ++pass)
    for (int axis = 0; axis < 2; ++axis) {
      Plane out;
      for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
          double sum = 0.0;
          for (int k = -radius; k <= radius; ++k) {
            int sx = axis == 0 ? (x + k + kSize) % kSize : x;
            int sy = axis == 1 ? (y + k + kSize) % kSize : y;
            sum += plane.At(sx, sy);
          }
          out.At(x, y) = sum / (2 * radius + 1);
        }
      plane = out;
    }
}

double Mean(const Plane& plane) {
  double sum = 0.0;
  for (double value : plane.Values) sum += value;
  return sum / plane.Values.size();
}

// Scales a 0..255 channel until its rounded, clamped average hits the target.
void MatchMean(Plane& plane, double target) {
  for (int round = 0; round < 40; ++round) {
    double mean = 0.0;
    for (double value : plane.Values) mean += std::clamp(std::round(value), 0.0, 255.0);
    mean /= plane.Values.size();
    if (std::abs(mean - target) < 0.05) break;
    double gain = target / std::max(mean, 1e-6);
    for (double& value : plane.Values) value = std::clamp(value * gain, 0.0, 255.0);
  }
}

// ---- the pictures ---------------------------------------------------------------

struct Burst {
  double Cx, Cy;
  bool PaleCentre;
  double CoreRadius;
  struct Ray {
    double Angle, Length, Width, Strength;
  };
  std::vector<Ray> Rays;
};

Burst MakeBurst(Random& rng) {
  Burst burst{rng.Uniform(), rng.Uniform(), rng.Uniform() < 0.5, rng.Range(2.5, 6.5) / kSize, {}};
  int rays = 18 + rng.Below(22);
  for (int i = 0; i < rays; ++i) {
    double length = rng.Range(0.25, 0.95);  // long enough to cross much of the tile
    double strength = rng.Range(0.25, 0.9) * (rng.Uniform() < 0.7 ? 1.0 : -1.0);
    burst.Rays.push_back({rng.Range(0.0, 2 * kPi), length, rng.Range(0.35, 0.9) / kSize, strength});
  }
  return burst;
}

// Streak light (positive) or shade (negative) at (u, v) from one burst and its eight
// neighbouring copies, so that streaks leaving one edge come back in at the other.
double Streaks(const Burst& burst, double u, double v) {
  double sum = 0.0;
  for (int oy = -1; oy <= 1; ++oy)
    for (int ox = -1; ox <= 1; ++ox) {
      double dx = u - (burst.Cx + ox), dy = v - (burst.Cy + oy);
      if (dx * dx + dy * dy > 1.0) continue;
      for (const Burst::Ray& ray : burst.Rays) {
        double along = dx * std::cos(ray.Angle) + dy * std::sin(ray.Angle);
        if (along <= 0.0 || along > ray.Length) continue;
        double across = -dx * std::sin(ray.Angle) + dy * std::cos(ray.Angle);
        double width = ray.Width * (1.0 + 1.5 * along);  // streaks widen a little outwards
        double fade = 1.0 - along / ray.Length;
        sum += ray.Strength * fade * fade * std::exp(-(across * across) / (width * width));
      }
    }
  return sum;
}

std::array<Plane, 3> MakeMeteor() {
  Random rng(0x4D455445u);
  Plane ground = Fractal(rng, 4, 5, 0.55);
  Plane grit = Fractal(rng, 32, 2, 0.5);
  std::vector<Burst> bursts;
  for (int i = 0; i < 12; ++i) bursts.push_back(MakeBurst(rng));

  const double dark[3] = {62, 38, 0}, gold[3] = {168, 120, 9}, pale[3] = {232, 204, 96},
               shade[3] = {34, 20, 0};
  std::array<Plane, 3> rgb;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      double u = (x + 0.5) / kSize, v = (y + 0.5) / kSize;
      double t = std::clamp(0.15 + 0.75 * ground.At(x, y) + 0.2 * (grit.At(x, y) - 0.5), 0.0, 1.0);
      double colour[3];
      for (int c = 0; c < 3; ++c) colour[c] = std::lerp(dark[c], gold[c], t);
      for (const Burst& burst : bursts) {
        double light = Streaks(burst, u, v);
        const double* toward = light > 0 ? pale : shade;
        double amount = std::min(std::abs(light), 1.0) * 0.65;
        for (int c = 0; c < 3; ++c) colour[c] = std::lerp(colour[c], toward[c], amount);
        double r = std::hypot(Wrap(u - burst.Cx), Wrap(v - burst.Cy));
        double core = 1.0 - SmoothStep(burst.CoreRadius * 0.4, burst.CoreRadius, r);
        const double* centre = burst.PaleCentre ? pale : shade;
        for (int c = 0; c < 3; ++c) colour[c] = std::lerp(colour[c], centre[c], core * 0.9);
      }
      for (int c = 0; c < 3; ++c) rgb[c].At(x, y) = colour[c];
    }
  const double targets[3] = {112, 76, 4};
  for (int c = 0; c < 3; ++c) MatchMean(rgb[c], targets[c]);
  return rgb;
}

std::array<Plane, 3> MakeMetal() {
  Random rng(0x4D45544Cu);
  Plane mottle = Fractal(rng, 3, 4, 0.6);
  Plane value;
  struct Blotch {
    double Cx, Cy, Radius, Depth;
  };
  std::vector<Blotch> blotches;
  for (int i = 0; i < 7; ++i)
    blotches.push_back({rng.Uniform(), rng.Uniform(), rng.Range(0.05, 0.11), rng.Range(0.2, 0.4)});
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      double u = (x + 0.5) / kSize, v = (y + 0.5) / kSize;
      double band = std::exp(-std::pow(Wrap(u - 0.34) / 0.14, 2));
      double s = 0.55 * (mottle.At(x, y) - 0.5) + 0.8 * band;
      for (const Blotch& b : blotches) {
        double d = std::hypot(Wrap(u - b.Cx), Wrap(v - b.Cy)) / b.Radius;
        s -= b.Depth * std::exp(-d * d);
      }
      value.At(x, y) = s;
    }
  Blur(value, 4, 3);
  // Map around the average of 145 so that nothing leaves 92..194.
  double mean = Mean(value);
  auto [lo, hi] = std::minmax_element(value.Values.begin(), value.Values.end());
  double k = std::min((145.0 - 92.0) / (mean - *lo), (194.0 - 145.0) / (*hi - mean));
  for (double& s : value.Values) s = 145.0 + (s - mean) * k;
  return {value, value, value};
}

std::array<Plane, 4> MakeSmoke() {
  Random rng(0x44594D31u);
  Plane tint = Fractal(rng, 4, 3, 0.5);
  Plane density = Fractal(rng, 4, 4, 0.6);
  std::array<double, 5> phase, weight;
  for (int i = 0; i < 5; ++i) {
    phase[i] = rng.Range(0.0, 2 * kPi);
    weight[i] = rng.Range(0.3, 1.0) / (i + 1);
  }
  std::array<Plane, 4> rgba;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      double u = (x + 0.5) / kSize - 0.5, v = (y + 0.5) / kSize - 0.5;
      double angle = std::atan2(v, u), wobble = 0.0;
      for (int i = 0; i < 5; ++i) wobble += weight[i] * std::sin((i + 2) * angle + phase[i]);
      // A lumpy outline: slow wobble round the rim plus the puff's own density noise.
      double lumps = density.At(x, y) - 0.5;
      double radius = 0.33 * (1.0 + 0.09 * wobble + 0.35 * lumps);
      double r = std::hypot(u, v) / radius;
      double cloud = r >= 1.0 ? 0.0 : std::pow(1.0 - r * r, 1.6);
      double puff = cloud * (0.7 + 0.8 * density.At(x, y)) * 1.35;
      double border = std::min({x + 0.5, y + 0.5, kSize - x - 0.5, kSize - y - 0.5}) / kSize;
      rgba[3].At(x, y) = 255.0 * std::clamp(puff, 0.0, 1.0) * SmoothStep(0.02, 0.08, border);
      double grey = 236.0 + 19.0 * tint.At(x, y);
      rgba[0].At(x, y) = grey;
      rgba[1].At(x, y) = grey - 0.5;
      rgba[2].At(x, y) = std::min(grey + 1.0, 255.0);
    }
  Blur(rgba[3], 1, 2);
  for (int y = 0; y < kSize; ++y)  // the blur must not spill back over the wrapped border
    for (int x = 0; x < kSize; ++x)
      if (x == 0 || y == 0 || x == kSize - 1 || y == kSize - 1) rgba[3].At(x, y) = 0.0;
  return rgba;
}

// ---- TGA output -----------------------------------------------------------------

void Put16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(value & 0xFF);
  out.push_back((value >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}
void PutText(std::vector<uint8_t>& out, const std::string& text, size_t field) {
  std::string padded = text.substr(0, field - 1);
  padded.resize(field, '\0');
  out.insert(out.end(), padded.begin(), padded.end());
}

uint8_t ToByte(double value) {
  return static_cast<uint8_t>(std::clamp(std::round(value), 0.0, 255.0));
}

// The 495-byte TGA 2.0 extension area; only the alpha meaning (3: straight alpha) matters.
std::vector<uint8_t> ExtensionArea() {
  std::vector<uint8_t> area;
  Put16(area, 495);
  PutText(area, "", 41);                                                 // author
  PutText(area, "Smoke puff", 324);                                      // comments
  for (uint32_t part : {12u, 8u, 2026u, 0u, 0u, 0u}) Put16(area, part);  // date and time
  PutText(area, "", 41);                                                 // job name
  for (int i = 0; i < 3; ++i) Put16(area, 0);                            // job time
  PutText(area, "orvanta-texture-generator", 41);
  Put16(area, 100);  // version 1.00
  area.push_back(' ');
  Put32(area, 0);                                  // key colour
  Put16(area, 1), Put16(area, 1);                  // square pixels
  Put16(area, 0), Put16(area, 0);                  // gamma not given
  Put32(area, 0), Put32(area, 0), Put32(area, 0);  // no colour table, stamp, scan lines
  area.push_back(3);
  return area;
}

template <size_t N>
std::vector<uint8_t> EncodeTga(const std::array<Plane, N>& planes, bool withExtension) {
  static_assert(N == 3 || N == 4);
  std::vector<uint8_t> out = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  Put16(out, kSize);
  Put16(out, kSize);
  out.push_back(N * 8);
  out.push_back(N == 4 ? 8 : 0);  // alpha bits; origin lower left
  for (int row = 0; row < kSize; ++row) {
    int y = kSize - 1 - row;  // bottom row first
    for (int x = 0; x < kSize; ++x) {
      out.push_back(ToByte(planes[2].At(x, y)));
      out.push_back(ToByte(planes[1].At(x, y)));
      out.push_back(ToByte(planes[0].At(x, y)));
      if constexpr (N == 4) out.push_back(ToByte(planes[3].At(x, y)));
    }
  }
  uint32_t extensionOffset = 0;
  if (withExtension) {
    extensionOffset = static_cast<uint32_t>(out.size());
    std::vector<uint8_t> area = ExtensionArea();
    out.insert(out.end(), area.begin(), area.end());
  }
  Put32(out, extensionOffset);
  Put32(out, 0);  // no developer area
  const char signature[] = "TRUEVISION-XFILE.";
  out.insert(out.end(), signature, signature + sizeof signature);  // with its closing zero
  return out;
}

bool WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  if (!file) std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
    return 2;
  }
  std::filesystem::path dir = argv[1];
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  bool ok = WriteFile(dir / "meteor.tga", EncodeTga(MakeMeteor(), false)) &&
            WriteFile(dir / "metal.tga", EncodeTga(MakeMetal(), false)) &&
            WriteFile(dir / "dym1.tga", EncodeTga(MakeSmoke(), true));
  return ok ? 0 : 1;
}
