// Writing the scene trace. Keys are the scene's own field names so that a trace reads
// like the code that made it.
#include "trace_json.h"

#include <charconv>
#include <cmath>
#include <concepts>
#include <string_view>

namespace {

template <typename Floating>
void AppendFloating(std::string& out, Floating value) {
  if (!std::isfinite(value)) {
    out += "null";
    return;
  }
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

// The members of one JSON object, written in the order they are added.
class JsonObject {
 public:
  explicit JsonObject(std::string& out) : out_(out) { out_ += '{'; }
  void Close() { out_ += '}'; }

  JsonObject& Add(std::string_view name, double value) {
    Key(name);
    AppendJsonNumber(out_, value);
    return *this;
  }
  JsonObject& Add(std::string_view name, float value) {
    Key(name);
    AppendJsonNumber(out_, value);
    return *this;
  }
  template <std::integral Integer>
  JsonObject& Add(std::string_view name, Integer value) {
    Key(name);
    out_ += std::to_string(static_cast<int64_t>(value));
    return *this;
  }
  JsonObject& Add(std::string_view name, const Vec3& v) {
    Key(name);
    out_ += '[';
    AppendJsonNumber(out_, v.X);
    out_ += ',';
    AppendJsonNumber(out_, v.Y);
    out_ += ',';
    AppendJsonNumber(out_, v.Z);
    out_ += ']';
    return *this;
  }

  // An array member holding the items that `keep` accepts, each written by `write`
  // with its index.
  template <typename Items, typename Keep, typename Write>
  JsonObject& AddArray(std::string_view name, const Items& items, Keep keep, Write write) {
    Key(name);
    out_ += '[';
    bool first = true;
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (!keep(items[i])) continue;
      if (!first) out_ += ',';
      first = false;
      write(out_, i, items[i]);
    }
    out_ += ']';
    return *this;
  }

 private:
  void Key(std::string_view name) {
    if (!empty_) out_ += ',';
    empty_ = false;
    out_ += '"';
    out_ += name;
    out_ += "\":";
  }

  std::string& out_;
  bool empty_ = true;
};

void WriteLight(std::string& out, const LightBeacon& light) {
  JsonObject(out)
      .Add("X", light.X)
      .Add("Y", light.Y)
      .Add("Z", light.Z)
      .Add("Dir", light.Dir)
      .Add("Red", light.Red)
      .Add("Green", light.Green)
      .Add("Blue", light.Blue)
      .Close();
}

void WriteParticle(std::string& out, std::size_t slot, const SceneParticle& p) {
  JsonObject(out)
      .Add("slot", slot)
      .Add("Alive", p.Alive)
      .Add("X", p.X)
      .Add("Y", p.Y)
      .Add("Z", p.Z)
      .Add("VX", p.VX)
      .Add("VY", p.VY)
      .Add("VZ", p.VZ)
      .Add("AngleX", p.AngleX)
      .Add("AngleY", p.AngleY)
      .Add("SpinX", p.SpinX)
      .Add("SpinY", p.SpinY)
      .Add("Red", p.Red)
      .Add("Green", p.Green)
      .Add("Blue", p.Blue)
      .Add("Radius", p.Radius)
      .Add("Slices", p.Slices)
      .Add("Stacks", p.Stacks)
      .Add("TrailRadius", p.TrailRadius)
      .Add("Shininess", p.Shininess)
      .Add("Shrink", p.Shrink)
      .Add("IsMeteor", p.IsMeteor)
      .Close();
}

void WriteSmokePuff(std::string& out, std::size_t slot, const SmokePuff& puff) {
  JsonObject(out)
      .Add("slot", slot)
      .Add("Alive", puff.Alive)
      .Add("X", puff.X)
      .Add("Y", puff.Y)
      .Add("Z", puff.Z)
      .Add("VX", puff.VX)
      .Add("VY", puff.VY)
      .Add("VZ", puff.VZ)
      .Add("Life", puff.Life)
      .Add("Kind", puff.Kind)
      .Close();
}

void WriteFlash(std::string& out, std::size_t slot, const ExplosionFlash& flash) {
  JsonObject(out)
      .Add("slot", slot)
      .Add("Alive", flash.Alive)
      .Add("X", flash.X)
      .Add("Y", flash.Y)
      .Add("Z", flash.Z)
      .Add("VX", flash.VX)
      .Add("VY", flash.VY)
      .Add("VZ", flash.VZ)
      .Add("Radius", flash.Radius)
      .Add("Alpha", flash.Alpha)
      .Add("Kind", flash.Kind)
      .Close();
}

template <typename Record>
bool Live(const Record& record) {
  return record.Alive != 0;
}
template <typename Record>
bool Always(const Record&) {
  return true;
}

void WriteLightAt(std::string& out, std::size_t, const LightBeacon& light) {
  WriteLight(out, light);
}

template <typename Record>
int64_t CountAlive(const std::vector<Record>& pool) {
  int64_t count = 0;
  for (const Record& record : pool) count += record.Alive != 0;
  return count;
}

int64_t CountParticles(const Scene& scene, uint8_t isMeteor) {
  int64_t count = 0;
  for (const SceneParticle& p : scene.Particles) count += p.Alive != 0 && p.IsMeteor == isMeteor;
  return count;
}

}  // namespace

void AppendJsonNumber(std::string& out, double value) {
  AppendFloating(out, value);
}
void AppendJsonNumber(std::string& out, float value) {
  AppendFloating(out, value);
}

void AppendTraceLine(std::string& out, const Scene& scene, int64_t frame, bool withObjects) {
  JsonObject line(out);
  line.Add("frame", frame)
      .Add("FlightSpeed", scene.FlightSpeed)
      .Add("ShipX", scene.ShipX)
      .Add("ShipY", scene.ShipY)
      .Add("ShipZ", scene.ShipZ)
      .Add("UpX", scene.UpX)
      .Add("UpY", scene.UpY)
      .Add("FlightMode", scene.FlightMode)
      .Add("ManoeuvreVariant", scene.ManoeuvreVariant)
      .Add("ManoeuvreAngle", scene.ManoeuvreAngle)
      .Add("ShotCooldown", scene.ShotCooldown)
      .Add("ShotX", scene.ShotX)
      .Add("ShotY", scene.ShotY)
      .Add("ShotZ", scene.ShotZ)
      .Add("SceneClock", scene.SceneClock)
      .Add("CruiseClock", scene.CruiseClock)
      .Add("CruiseFrame", scene.CruiseFrame)
      .Add("FrameCounter", scene.FrameCounter)
      .Add("meteors", CountParticles(scene, 1))
      .Add("debris", CountParticles(scene, 0))
      .Add("smoke", CountAlive(scene.SmokePuffs))
      .Add("flashes", CountAlive(scene.Flashes))
      .Add("lights", scene.Lights.size())
      .AddArray("Lights", scene.Lights, Always<LightBeacon>, WriteLightAt);
  if (withObjects) {
    line.AddArray("Particles", scene.Particles, Live<SceneParticle>, WriteParticle)
        .AddArray("SmokePuffs", scene.SmokePuffs, Live<SmokePuff>, WriteSmokePuff)
        .AddArray("Flashes", scene.Flashes, Live<ExplosionFlash>, WriteFlash);
  }
  line.Close();
  out += '\n';
}
