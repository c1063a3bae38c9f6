// Immediate drawing primitives: each call draws one shape at once through the
// render device (nothing happens while RenderDevice is null). Solid and
// gradient rectangles serve the 2-D interface; lines, sectors, boxes, points,
// circles and cones the 3-D manipulators and splines. Each primitive reuses
// its own vertex and index lists, so drawing allocates only while they grow,
// and looks its shader up once per device.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "core/quat.h"
#include "core/rect.h"
#include "core/vec.h"

namespace tovan {

// The vertex of the UI and 3-D shaders.
struct ColorVertex {
    float x, y, z;
    uint32_t color;  // PackColor
};
static_assert(sizeof(ColorVertex) == 16, "the shaders read 16-byte vertices");

// --- clip stack ------------------------------------------------------------------
// The current clip in the space the UI transform maps to (empty at start, so
// a host sets one before gradients draw), and the saved ones.
extern cRect CurrentClip;
extern cList<cRect> ClipStack;
// Saves the current clip and makes rect current; the device's scissor changes
// only when a coordinate moves by more than 0.001.
void PushClip(const cRect& rect);
// Restores the last saved clip; nothing when none is saved.
void PopClip();

// --- 2-D -------------------------------------------------------------------------
// Nothing for an empty rectangle.
void DrawSolidRect(const cRect* rect, const cColor* color);

// Flags of DrawRadialGradient.
enum GradientFlags : int {
    kGradientCaveFrom = 0x1,
    kGradientStopFrom = 0x2,  // the quad ends at `from` (0x4 too)
    kGradientFlatFrom = 0x4,
    kGradientCaveTo = 0x8,
    kGradientStopTo = 0x10,  // the quad ends at `to` (0x20 too)
    kGradientFlatTo = 0x20,
    kGradientHalfLeft = 0x40,   // the shader keeps the left of from -> to only
    kGradientHalfRight = 0x80,  // ... the right only
    kGradientLeftOnly = 0x100,  // the quad covers the left side only
    kGradientRightOnly = 0x200,
};
// A gradient around the segment from -> to: full colour within segRadius,
// fading to the bound colour over gradRadius. Drawn under a scissor of its
// own screen rectangle; nothing when that lies outside the current clip.
void DrawRadialGradient(const cVec2& from, const cVec2& to, float segRadius, float gradRadius, float power, int flags,
                        const cColor* centreColor, const cColor* boundColor);
// Four gradients along the sides (gradRadius 0 means segRadius), then the
// rectangle itself in the centre colour.
void DrawFramedRect(const cRect* rect, const cColor* centreColor, float segRadius, float gradRadius, float power,
                    const cColor* boundColor);

// --- 3-D -------------------------------------------------------------------------
void DrawLine3D(const cVec3* a, const cVec3* b, const cColor* color);
// A fan from fromDir to toDir facing the viewer, and its outline. Opposite
// directions sweep through the first perpendicular axis of fromDir
// (cVec3::PerpendicularAxes); a step of 0 or less gives one segment; a zero
// direction draws nothing.
void DrawSector(const cVec3& centre, const cVec3& fromDir, float radius, const cVec3& toDir, const cColor& fillColor,
                const cColor& edgeColor, float degreesPerSegment);
void DrawBox(const cVec3& centre, float edgeLength, const cQuat* rotation, const cColor& color);
// Squares of side `size` facing the view.
void DrawPoints(const cVec3* points, int count, float size, const cColor& color);
// A circle in the plane facing the view, in one-degree steps.
void DrawCircle(const cVec3& centre, const cColor& color, float radius);
// A circle around an axis, only the half towards the viewer.
void DrawFacingCircle(const cVec3& centre, const cVec3& axis, float radius, const cColor& color);
// A closed cone with 12 sides.
void DrawCone(const cVec3& tip, const cVec3& direction, float baseRadius, float length, const cColor& color);

}  // namespace tovan
