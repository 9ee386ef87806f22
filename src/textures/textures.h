// The saver's textures: the ten texture names, the upload of the built-in images into
// the first three, and the bind operations the scene drawing uses. Everything runs on
// the GUI thread with the saver's rendering context current; nothing is ever deleted.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "gl/gl_types.h"
#include "textures/alpha_coverage.h"
#include "textures/tga_reader.h"

inline constexpr int32_t TextureModeMipmapped = 0;    // trilinear filtering over the mipmaps
inline constexpr int32_t TextureModeEnvironment = 1;  // linear filtering, sphere-map coordinates

inline constexpr int32_t TextureSlotMeteor = 0;
inline constexpr int32_t TextureSlotMetal = 1;
inline constexpr int32_t TextureSlotSmoke = 2;

// Slots 0 to 2 hold the meteor, metal and smoke images; 3 to 9 are names without images.
extern std::array<GLuint, 10> TextureNames;
// Where each slot's image can show (CoverageOf): known for the images sampled from their
// first level alone (TextureModeEnvironment), the whole texture for every other slot.
extern std::array<AlphaCoverage, 10> textureCoverage;

// One glGenTextures for all ten names.
void GenerateTextureNames();

// Uploads the built-in image `name` into `slot` with a full mipmap chain. Failures are
// reported through `report`, leave the slot without an image and let loading go on.
void LoadTexture(int32_t slot, std::string_view name, int32_t mode, const MessageSink& report);

// Names, then meteor (slot 0, mode 0), metal (slot 1, mode 1), smoke (slot 2, mode 1).
void LoadSceneTextures(const MessageSink& report);

// Binds the slot with sphere-mapped texture coordinates (reflections) and turns texturing on.
void BindSphereMapped(int32_t slot);
// Binds the slot for explicit texture coordinates and turns texturing on. Generation is
// left as it was: a BindSphereMapped before it without UnbindTexture keeps it on.
void BindObjectLinear(int32_t slot);
// Turns texturing and coordinate generation off; the binding stays.
void UnbindTexture();
