// The fields of each scene record and the scene-wide values, each listed once with its name,
// in the order of the record. Whatever walks a record field by field (the trace writer, the
// tests' comparisons, the soak's checks) walks these lists, so a field added to a record and
// to its list reaches all of them.
#pragma once

#include <cstddef>
#include <string_view>
#include <tuple>
#include <utility>

#include "scene/scene.h"

// One field: its name as the code spells it, and where it lives in the record.
template <typename Record, typename Value>
struct RecordField {
  std::string_view Name;
  Value Record::*Member;
};
template <typename Record, typename Value>
RecordField(std::string_view, Value Record::*) -> RecordField<Record, Value>;

template <typename Record>
struct RecordFields;  // the list of one record, below

template <>
struct RecordFields<SceneParticle> {
  using R = SceneParticle;
  static constexpr auto kList = std::make_tuple(
      RecordField{"Alive", &R::Alive}, RecordField{"X", &R::X}, RecordField{"Y", &R::Y},
      RecordField{"Z", &R::Z}, RecordField{"VX", &R::VX}, RecordField{"VY", &R::VY},
      RecordField{"VZ", &R::VZ}, RecordField{"AngleX", &R::AngleX},
      RecordField{"AngleY", &R::AngleY}, RecordField{"SpinX", &R::SpinX},
      RecordField{"SpinY", &R::SpinY}, RecordField{"Red", &R::Red}, RecordField{"Green", &R::Green},
      RecordField{"Blue", &R::Blue}, RecordField{"Radius", &R::Radius},
      RecordField{"Slices", &R::Slices}, RecordField{"Stacks", &R::Stacks},
      RecordField{"TrailRadius", &R::TrailRadius}, RecordField{"Shininess", &R::Shininess},
      RecordField{"Shrink", &R::Shrink}, RecordField{"IsMeteor", &R::IsMeteor});
};

template <>
struct RecordFields<SmokePuff> {
  using R = SmokePuff;
  static constexpr auto kList = std::make_tuple(
      RecordField{"Alive", &R::Alive}, RecordField{"X", &R::X}, RecordField{"Y", &R::Y},
      RecordField{"Z", &R::Z}, RecordField{"VX", &R::VX}, RecordField{"VY", &R::VY},
      RecordField{"VZ", &R::VZ}, RecordField{"Life", &R::Life}, RecordField{"Kind", &R::Kind});
};

template <>
struct RecordFields<ExplosionFlash> {
  using R = ExplosionFlash;
  static constexpr auto kList = std::make_tuple(
      RecordField{"Alive", &R::Alive}, RecordField{"X", &R::X}, RecordField{"Y", &R::Y},
      RecordField{"Z", &R::Z}, RecordField{"VX", &R::VX}, RecordField{"VY", &R::VY},
      RecordField{"VZ", &R::VZ}, RecordField{"Radius", &R::Radius}, RecordField{"Alpha", &R::Alpha},
      RecordField{"Kind", &R::Kind});
};

template <>
struct RecordFields<LightBeacon> {
  using R = LightBeacon;
  static constexpr auto kList =
      std::make_tuple(RecordField{"X", &R::X}, RecordField{"Y", &R::Y}, RecordField{"Z", &R::Z},
                      RecordField{"Dir", &R::Dir}, RecordField{"Red", &R::Red},
                      RecordField{"Green", &R::Green}, RecordField{"Blue", &R::Blue});
};

// The scene-wide values of the flight; the pools, the settings and the generator are not
// among them.
template <>
struct RecordFields<Scene> {
  using R = Scene;
  static constexpr auto kList = std::make_tuple(
      RecordField{"FlightSpeed", &R::FlightSpeed}, RecordField{"ShipX", &R::ShipX},
      RecordField{"ShipY", &R::ShipY}, RecordField{"ShipZ", &R::ShipZ}, RecordField{"UpX", &R::UpX},
      RecordField{"UpY", &R::UpY}, RecordField{"FlightMode", &R::FlightMode},
      RecordField{"ManoeuvreVariant", &R::ManoeuvreVariant},
      RecordField{"ManoeuvreAngle", &R::ManoeuvreAngle},
      RecordField{"ShotCooldown", &R::ShotCooldown}, RecordField{"ShotX", &R::ShotX},
      RecordField{"ShotY", &R::ShotY}, RecordField{"ShotZ", &R::ShotZ},
      RecordField{"SceneClock", &R::SceneClock}, RecordField{"CruiseClock", &R::CruiseClock},
      RecordField{"CruiseFrame", &R::CruiseFrame}, RecordField{"FrameCounter", &R::FrameCounter});
};

namespace scene_fields_detail {

// Stands for a value of any type, so that the most values a record can be built from (one
// per field; no field here is itself built from more than one) can be counted.
struct AnyValue {
  template <typename Value>
  constexpr operator Value() const;  // never called, only counted
};

template <typename Record, typename... Values>
constexpr std::size_t FieldCount() {
  if constexpr (requires { Record{std::declval<Values>()..., AnyValue{}}; }) {
    return FieldCount<Record, Values..., AnyValue>();
  } else {
    return sizeof...(Values);
  }
}

template <typename Record>
constexpr bool EveryFieldListed() {
  return FieldCount<Record>() == std::tuple_size_v<decltype(RecordFields<Record>::kList)>;
}

}  // namespace scene_fields_detail

// A field added to a record must join its list.
static_assert(scene_fields_detail::EveryFieldListed<SceneParticle>());
static_assert(scene_fields_detail::EveryFieldListed<SmokePuff>());
static_assert(scene_fields_detail::EveryFieldListed<ExplosionFlash>());
static_assert(scene_fields_detail::EveryFieldListed<LightBeacon>());

// Calls visit(name, value) for every field of `record`, in order.
template <typename Record, typename Visit>
void ForEachField(const Record& record, Visit&& visit) {
  std::apply([&](const auto&... field) { (visit(field.Name, record.*field.Member), ...); },
             RecordFields<Record>::kList);
}

// Calls visit(name, a, b) with the same field of two records, for every field, in order.
template <typename Record, typename Visit>
void ForEachFieldOfBoth(const Record& a, const Record& b, Visit&& visit) {
  std::apply(
      [&](const auto&... field) { (visit(field.Name, a.*field.Member, b.*field.Member), ...); },
      RecordFields<Record>::kList);
}
