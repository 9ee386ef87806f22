// Writing the scene trace. Keys are the scene's own field names so that a trace reads
// like the code that made it.
#include "trace_json.h"

#include <charconv>
#include <cmath>
#include <concepts>
#include <string_view>

#include "scene/scene_fields.h"

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

// Every field of a record, in order, as members of `object`.
template <typename Record>
void WriteRecord(JsonObject& object, const Record& record) {
  ForEachField(record, [&](std::string_view name, const auto& value) { object.Add(name, value); });
}

// A pool's record as one object: its slot, then its fields.
template <typename Record>
void WriteSlot(std::string& out, std::size_t slot, const Record& record) {
  JsonObject object(out);
  object.Add("slot", slot);
  WriteRecord(object, record);
  object.Close();
}

template <typename Record>
bool Live(const Record& record) {
  return record.Alive != 0;
}
template <typename Record>
bool Always(const Record&) {
  return true;
}

void WriteLight(std::string& out, std::size_t, const LightBeacon& light) {
  JsonObject object(out);
  WriteRecord(object, light);
  object.Close();
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
  line.Add("frame", frame);
  WriteRecord(line, scene);
  line.Add("meteors", CountParticles(scene, 1))
      .Add("debris", CountParticles(scene, 0))
      .Add("smoke", CountAlive(scene.SmokePuffs))
      .Add("flashes", CountAlive(scene.Flashes))
      .Add("lights", scene.Lights.size())
      .AddArray("Lights", scene.Lights, Always<LightBeacon>, WriteLight);
  if (withObjects) {
    line.AddArray("Particles", scene.Particles, Live<SceneParticle>, WriteSlot<SceneParticle>)
        .AddArray("SmokePuffs", scene.SmokePuffs, Live<SmokePuff>, WriteSlot<SmokePuff>)
        .AddArray("Flashes", scene.Flashes, Live<ExplosionFlash>, WriteSlot<ExplosionFlash>);
  }
  line.Close();
  out += '\n';
}
