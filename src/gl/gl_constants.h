// The OpenGL 1.1 and GLU 1.3 constants the program uses, as typed constants with the
// values of the standard headers. They share their names with the macros of <GL/gl.h>,
// so this header and the system headers never meet in one file.
#pragma once

#if defined(GL_VERSION_1_1) || defined(GLU_VERSION_1_1)
#error "gl_constants.h cannot share a file with <GL/gl.h> or <GL/glu.h>"
#endif
#define ORVANTA_GL_CONSTANTS_INCLUDED 1

#include "gl/gl_types.h"

// Booleans
inline constexpr GLboolean GL_FALSE = 0;
inline constexpr GLboolean GL_TRUE = 1;

// Primitives
inline constexpr GLenum GL_POINTS = 0x0000;
inline constexpr GLenum GL_LINES = 0x0001;
inline constexpr GLenum GL_LINE_LOOP = 0x0002;
inline constexpr GLenum GL_LINE_STRIP = 0x0003;
inline constexpr GLenum GL_TRIANGLES = 0x0004;
inline constexpr GLenum GL_TRIANGLE_STRIP = 0x0005;
inline constexpr GLenum GL_TRIANGLE_FAN = 0x0006;
inline constexpr GLenum GL_QUADS = 0x0007;
inline constexpr GLenum GL_QUAD_STRIP = 0x0008;
inline constexpr GLenum GL_POLYGON = 0x0009;

// Depth functions
inline constexpr GLenum GL_NEVER = 0x0200;
inline constexpr GLenum GL_LESS = 0x0201;
inline constexpr GLenum GL_EQUAL = 0x0202;
inline constexpr GLenum GL_LEQUAL = 0x0203;
inline constexpr GLenum GL_GREATER = 0x0204;
inline constexpr GLenum GL_NOTEQUAL = 0x0205;
inline constexpr GLenum GL_GEQUAL = 0x0206;
inline constexpr GLenum GL_ALWAYS = 0x0207;

// Blend factors
inline constexpr GLenum GL_ZERO = 0;
inline constexpr GLenum GL_ONE = 1;
inline constexpr GLenum GL_SRC_COLOR = 0x0300;
inline constexpr GLenum GL_ONE_MINUS_SRC_COLOR = 0x0301;
inline constexpr GLenum GL_SRC_ALPHA = 0x0302;
inline constexpr GLenum GL_ONE_MINUS_SRC_ALPHA = 0x0303;
inline constexpr GLenum GL_DST_ALPHA = 0x0304;
inline constexpr GLenum GL_ONE_MINUS_DST_ALPHA = 0x0305;

// Faces and winding
inline constexpr GLenum GL_FRONT = 0x0404;
inline constexpr GLenum GL_BACK = 0x0405;
inline constexpr GLenum GL_FRONT_AND_BACK = 0x0408;
inline constexpr GLenum GL_CW = 0x0900;
inline constexpr GLenum GL_CCW = 0x0901;

// Errors
inline constexpr GLenum GL_NO_ERROR = 0;
inline constexpr GLenum GL_INVALID_ENUM = 0x0500;
inline constexpr GLenum GL_INVALID_VALUE = 0x0501;
inline constexpr GLenum GL_INVALID_OPERATION = 0x0502;
inline constexpr GLenum GL_STACK_OVERFLOW = 0x0503;
inline constexpr GLenum GL_STACK_UNDERFLOW = 0x0504;
inline constexpr GLenum GL_OUT_OF_MEMORY = 0x0505;

// Fog modes
inline constexpr GLenum GL_EXP = 0x0800;
inline constexpr GLenum GL_EXP2 = 0x0801;

// State: current values, rasterisation, lighting, fog, depth, transform
inline constexpr GLenum GL_CURRENT_COLOR = 0x0B00;
inline constexpr GLenum GL_CURRENT_NORMAL = 0x0B02;
inline constexpr GLenum GL_CURRENT_TEXTURE_COORDS = 0x0B03;
inline constexpr GLenum GL_POINT_SIZE = 0x0B11;
inline constexpr GLenum GL_LINE_WIDTH = 0x0B21;
inline constexpr GLenum GL_POLYGON_MODE = 0x0B40;
inline constexpr GLenum GL_CULL_FACE = 0x0B44;
inline constexpr GLenum GL_CULL_FACE_MODE = 0x0B45;
inline constexpr GLenum GL_FRONT_FACE = 0x0B46;
inline constexpr GLenum GL_LIGHTING = 0x0B50;
inline constexpr GLenum GL_LIGHT_MODEL_LOCAL_VIEWER = 0x0B51;
inline constexpr GLenum GL_LIGHT_MODEL_TWO_SIDE = 0x0B52;
inline constexpr GLenum GL_LIGHT_MODEL_AMBIENT = 0x0B53;
inline constexpr GLenum GL_SHADE_MODEL = 0x0B54;
inline constexpr GLenum GL_COLOR_MATERIAL_FACE = 0x0B55;
inline constexpr GLenum GL_COLOR_MATERIAL_PARAMETER = 0x0B56;
inline constexpr GLenum GL_COLOR_MATERIAL = 0x0B57;
inline constexpr GLenum GL_FOG = 0x0B60;
inline constexpr GLenum GL_FOG_INDEX = 0x0B61;
inline constexpr GLenum GL_FOG_DENSITY = 0x0B62;
inline constexpr GLenum GL_FOG_START = 0x0B63;
inline constexpr GLenum GL_FOG_END = 0x0B64;
inline constexpr GLenum GL_FOG_MODE = 0x0B65;
inline constexpr GLenum GL_FOG_COLOR = 0x0B66;
inline constexpr GLenum GL_DEPTH_RANGE = 0x0B70;
inline constexpr GLenum GL_DEPTH_TEST = 0x0B71;
inline constexpr GLenum GL_DEPTH_WRITEMASK = 0x0B72;
inline constexpr GLenum GL_DEPTH_CLEAR_VALUE = 0x0B73;
inline constexpr GLenum GL_DEPTH_FUNC = 0x0B74;
inline constexpr GLenum GL_MATRIX_MODE = 0x0BA0;
inline constexpr GLenum GL_NORMALIZE = 0x0BA1;
inline constexpr GLenum GL_VIEWPORT = 0x0BA2;
inline constexpr GLenum GL_MODELVIEW_STACK_DEPTH = 0x0BA3;
inline constexpr GLenum GL_PROJECTION_STACK_DEPTH = 0x0BA4;
inline constexpr GLenum GL_MODELVIEW_MATRIX = 0x0BA6;
inline constexpr GLenum GL_PROJECTION_MATRIX = 0x0BA7;
inline constexpr GLenum GL_TEXTURE_MATRIX = 0x0BA8;
inline constexpr GLenum GL_ATTRIB_STACK_DEPTH = 0x0BB0;
inline constexpr GLenum GL_ALPHA_TEST = 0x0BC0;
inline constexpr GLenum GL_BLEND_DST = 0x0BE0;
inline constexpr GLenum GL_BLEND_SRC = 0x0BE1;
inline constexpr GLenum GL_BLEND = 0x0BE2;
inline constexpr GLenum GL_SCISSOR_TEST = 0x0C11;
inline constexpr GLenum GL_COLOR_CLEAR_VALUE = 0x0C22;
inline constexpr GLenum GL_PERSPECTIVE_CORRECTION_HINT = 0x0C50;
inline constexpr GLenum GL_FOG_HINT = 0x0C54;
inline constexpr GLenum GL_TEXTURE_GEN_S = 0x0C60;
inline constexpr GLenum GL_TEXTURE_GEN_T = 0x0C61;
inline constexpr GLenum GL_TEXTURE_GEN_R = 0x0C62;
inline constexpr GLenum GL_TEXTURE_GEN_Q = 0x0C63;
inline constexpr GLenum GL_UNPACK_ALIGNMENT = 0x0CF5;
inline constexpr GLenum GL_PACK_ALIGNMENT = 0x0D05;
inline constexpr GLenum GL_MAX_LIGHTS = 0x0D31;
inline constexpr GLenum GL_MAX_TEXTURE_SIZE = 0x0D33;
inline constexpr GLenum GL_MAX_ATTRIB_STACK_DEPTH = 0x0D35;
inline constexpr GLenum GL_MAX_MODELVIEW_STACK_DEPTH = 0x0D36;
inline constexpr GLenum GL_MAX_PROJECTION_STACK_DEPTH = 0x0D38;
inline constexpr GLenum GL_MAX_VIEWPORT_DIMS = 0x0D3A;
inline constexpr GLenum GL_TEXTURE_1D = 0x0DE0;
inline constexpr GLenum GL_TEXTURE_2D = 0x0DE1;
inline constexpr GLenum GL_TEXTURE_BINDING_2D = 0x8069;

// Client-side vertex arrays
inline constexpr GLenum GL_VERTEX_ARRAY = 0x8074;
inline constexpr GLenum GL_NORMAL_ARRAY = 0x8075;
inline constexpr GLenum GL_TEXTURE_COORD_ARRAY = 0x8078;

// Texture level queries
inline constexpr GLenum GL_TEXTURE_WIDTH = 0x1000;
inline constexpr GLenum GL_TEXTURE_HEIGHT = 0x1001;
inline constexpr GLenum GL_TEXTURE_INTERNAL_FORMAT = 0x1003;
inline constexpr GLenum GL_TEXTURE_BORDER_COLOR = 0x1004;

// Implementation strings (glGetString)
inline constexpr GLenum GL_VENDOR = 0x1F00;
inline constexpr GLenum GL_RENDERER = 0x1F01;
inline constexpr GLenum GL_VERSION = 0x1F02;
inline constexpr GLenum GL_EXTENSIONS = 0x1F03;

// Hints
inline constexpr GLenum GL_DONT_CARE = 0x1100;
inline constexpr GLenum GL_FASTEST = 0x1101;
inline constexpr GLenum GL_NICEST = 0x1102;

// Light and material parameters
inline constexpr GLenum GL_AMBIENT = 0x1200;
inline constexpr GLenum GL_DIFFUSE = 0x1201;
inline constexpr GLenum GL_SPECULAR = 0x1202;
inline constexpr GLenum GL_POSITION = 0x1203;
inline constexpr GLenum GL_SPOT_DIRECTION = 0x1204;
inline constexpr GLenum GL_SPOT_EXPONENT = 0x1205;
inline constexpr GLenum GL_SPOT_CUTOFF = 0x1206;
inline constexpr GLenum GL_CONSTANT_ATTENUATION = 0x1207;
inline constexpr GLenum GL_LINEAR_ATTENUATION = 0x1208;
inline constexpr GLenum GL_QUADRATIC_ATTENUATION = 0x1209;
inline constexpr GLenum GL_EMISSION = 0x1600;
inline constexpr GLenum GL_SHININESS = 0x1601;
inline constexpr GLenum GL_AMBIENT_AND_DIFFUSE = 0x1602;
inline constexpr GLenum GL_COLOR_INDEXES = 0x1603;

// Data types
inline constexpr GLenum GL_BYTE = 0x1400;
inline constexpr GLenum GL_UNSIGNED_BYTE = 0x1401;
inline constexpr GLenum GL_SHORT = 0x1402;
inline constexpr GLenum GL_UNSIGNED_SHORT = 0x1403;
inline constexpr GLenum GL_INT = 0x1404;
inline constexpr GLenum GL_UNSIGNED_INT = 0x1405;
inline constexpr GLenum GL_FLOAT = 0x1406;
inline constexpr GLenum GL_DOUBLE = 0x140A;

// Matrix modes
inline constexpr GLenum GL_MODELVIEW = 0x1700;
inline constexpr GLenum GL_PROJECTION = 0x1701;
inline constexpr GLenum GL_TEXTURE = 0x1702;

// Pixel formats
inline constexpr GLenum GL_COLOR_INDEX = 0x1900;
inline constexpr GLenum GL_STENCIL_INDEX = 0x1901;
inline constexpr GLenum GL_DEPTH_COMPONENT = 0x1902;
inline constexpr GLenum GL_RED = 0x1903;
inline constexpr GLenum GL_GREEN = 0x1904;
inline constexpr GLenum GL_BLUE = 0x1905;
inline constexpr GLenum GL_ALPHA = 0x1906;
inline constexpr GLenum GL_RGB = 0x1907;
inline constexpr GLenum GL_RGBA = 0x1908;
inline constexpr GLenum GL_LUMINANCE = 0x1909;
inline constexpr GLenum GL_LUMINANCE_ALPHA = 0x190A;

// Polygon modes and shading
inline constexpr GLenum GL_POINT = 0x1B00;
inline constexpr GLenum GL_LINE = 0x1B01;
inline constexpr GLenum GL_FILL = 0x1B02;
inline constexpr GLenum GL_FLAT = 0x1D00;
inline constexpr GLenum GL_SMOOTH = 0x1D01;

// Texture coordinates, environment and generation
inline constexpr GLenum GL_S = 0x2000;
inline constexpr GLenum GL_T = 0x2001;
inline constexpr GLenum GL_R = 0x2002;
inline constexpr GLenum GL_Q = 0x2003;
inline constexpr GLenum GL_MODULATE = 0x2100;
inline constexpr GLenum GL_DECAL = 0x2101;
inline constexpr GLenum GL_TEXTURE_ENV_MODE = 0x2200;
inline constexpr GLenum GL_TEXTURE_ENV_COLOR = 0x2201;
inline constexpr GLenum GL_TEXTURE_ENV = 0x2300;
inline constexpr GLenum GL_EYE_LINEAR = 0x2400;
inline constexpr GLenum GL_OBJECT_LINEAR = 0x2401;
inline constexpr GLenum GL_SPHERE_MAP = 0x2402;
inline constexpr GLenum GL_TEXTURE_GEN_MODE = 0x2500;
inline constexpr GLenum GL_OBJECT_PLANE = 0x2501;
inline constexpr GLenum GL_EYE_PLANE = 0x2502;

// Texture filters and wrapping
inline constexpr GLenum GL_NEAREST = 0x2600;
inline constexpr GLenum GL_LINEAR = 0x2601;
inline constexpr GLenum GL_NEAREST_MIPMAP_NEAREST = 0x2700;
inline constexpr GLenum GL_LINEAR_MIPMAP_NEAREST = 0x2701;
inline constexpr GLenum GL_NEAREST_MIPMAP_LINEAR = 0x2702;
inline constexpr GLenum GL_LINEAR_MIPMAP_LINEAR = 0x2703;
inline constexpr GLenum GL_TEXTURE_MAG_FILTER = 0x2800;
inline constexpr GLenum GL_TEXTURE_MIN_FILTER = 0x2801;
inline constexpr GLenum GL_TEXTURE_WRAP_S = 0x2802;
inline constexpr GLenum GL_TEXTURE_WRAP_T = 0x2803;
inline constexpr GLenum GL_CLAMP = 0x2900;
inline constexpr GLenum GL_REPEAT = 0x2901;

// Lights
inline constexpr GLenum GL_LIGHT0 = 0x4000;
inline constexpr GLenum GL_LIGHT1 = 0x4001;
inline constexpr GLenum GL_LIGHT2 = 0x4002;
inline constexpr GLenum GL_LIGHT3 = 0x4003;
inline constexpr GLenum GL_LIGHT4 = 0x4004;
inline constexpr GLenum GL_LIGHT5 = 0x4005;
inline constexpr GLenum GL_LIGHT6 = 0x4006;
inline constexpr GLenum GL_LIGHT7 = 0x4007;

// Buffer and attribute masks
inline constexpr GLbitfield GL_CURRENT_BIT = 0x00000001;
inline constexpr GLbitfield GL_POLYGON_BIT = 0x00000008;
inline constexpr GLbitfield GL_LIGHTING_BIT = 0x00000040;
inline constexpr GLbitfield GL_FOG_BIT = 0x00000080;
inline constexpr GLbitfield GL_DEPTH_BUFFER_BIT = 0x00000100;
inline constexpr GLbitfield GL_STENCIL_BUFFER_BIT = 0x00000400;
inline constexpr GLbitfield GL_VIEWPORT_BIT = 0x00000800;
inline constexpr GLbitfield GL_TRANSFORM_BIT = 0x00001000;
inline constexpr GLbitfield GL_ENABLE_BIT = 0x00002000;
inline constexpr GLbitfield GL_COLOR_BUFFER_BIT = 0x00004000;
inline constexpr GLbitfield GL_TEXTURE_BIT = 0x00040000;
// The twenty attribute groups of OpenGL 1.1, which is the mask the program pushes; newer
// headers widen this constant to 0xFFFFFFFF.
inline constexpr GLbitfield GL_ALL_ATTRIB_BITS = 0x000FFFFF;

// GLU
inline constexpr GLboolean GLU_FALSE = 0;
inline constexpr GLboolean GLU_TRUE = 1;
inline constexpr GLenum GLU_SMOOTH = 100000;
inline constexpr GLenum GLU_FLAT = 100001;
inline constexpr GLenum GLU_NONE = 100002;
inline constexpr GLenum GLU_POINT = 100010;
inline constexpr GLenum GLU_LINE = 100011;
inline constexpr GLenum GLU_FILL = 100012;
inline constexpr GLenum GLU_SILHOUETTE = 100013;
inline constexpr GLenum GLU_OUTSIDE = 100020;
inline constexpr GLenum GLU_INSIDE = 100021;
inline constexpr GLenum GLU_INVALID_ENUM = 100900;
inline constexpr GLenum GLU_INVALID_VALUE = 100901;
inline constexpr GLenum GLU_OUT_OF_MEMORY = 100902;
