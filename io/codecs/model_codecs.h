// cIO::ModelCodec, cIO::AnimCodec and cIO::CameraCodec: what a model,
// animation or camera-set file format implements for the resource layer, the
// framework's native formats "cm", "ca" and "cc", and the text formats OBJ,
// md5mesh and md5anim. Codecs hold no data.
//
// Every Decode clears the record, reads from the stream's position and clears
// the record again when it refuses the file (short or lying file, a value the
// format does not allow). Every Encode checks the record first and writes
// nothing when a field cannot hold its value; otherwise it inserts the file at
// the stream's position and moves past it.
#pragma once
#include "core/stream.h"
#include "io/io.h"
#include "io/model/anim.h"
#include "io/model/camera.h"
#include "io/model/model.h"

namespace tovan {

class cIO::ModelCodec {
public:
    virtual ~ModelCodec();
    virtual bool CanEncode() const = 0;  // true when Encode writes the format
    virtual bool Decode(cStream& in, cModel& out) const = 0;
    virtual bool Encode(const cModel& in, cStream& out) const = 0;
};

class cIO::AnimCodec {
public:
    virtual ~AnimCodec();
    virtual bool CanEncode() const = 0;
    virtual bool Decode(cStream& in, cAnim& out) const = 0;
    virtual bool Encode(const cAnim& in, cStream& out) const = 0;
};

class cIO::CameraCodec {
public:
    virtual ~CameraCodec();
    virtual bool CanEncode() const = 0;
    virtual bool Decode(cStream& in, cCamera& out) const = 0;
    virtual bool Encode(const cCamera& in, cStream& out) const = 0;
};

// The native model file ("cm"): joints, then meshes with u16 or u32 indices
// and static or skinned vertices whose unit vectors are stored in 16 bits.
class cCodecModel : public cIO::ModelCodec {
public:
    bool CanEncode() const override { return true; }
    bool Decode(cStream& in, cModel& out) const override;
    bool Encode(const cModel& in, cStream& out) const override;
};

// The native animation file ("ca"): joints, then 16-bit keys and bounds per
// frame; positions, scales and bounds lie within +-256.
class cCodecAnim : public cIO::AnimCodec {
public:
    bool CanEncode() const override { return true; }
    bool Decode(cStream& in, cAnim& out) const override;
    bool Encode(const cAnim& in, cStream& out) const override;
};

// The native camera-set file ("cc"): tracks of float keys with a 16-bit value.
class cCodecCamera : public cIO::CameraCodec {
public:
    bool CanEncode() const override { return true; }
    bool Decode(cStream& in, cCamera& out) const override;
    bool Encode(const cCamera& in, cStream& out) const override;
};

// Wavefront OBJ text: reads positions, texture coordinates, normals and
// polygons into a static model with one mesh per material ("usemtl"),
// vertices shared where every field is the same; writes a model's meshes back.
// A refused file gives a Warning naming its line, and the model is cleared.
class cCodecObj : public cIO::ModelCodec {
public:
    bool CanEncode() const override { return true; }
    bool Decode(cStream& in, cModel& out) const override;
    // Refuses (writes nothing) a mesh whose indices leave its vertex list.
    bool Encode(const cModel& in, cStream& out) const override;
};

// md5mesh text: the skeleton and skinned meshes in their bind pose, turned
// into the framework's space (x, y, z to 0.5 x, 0.5 z, -0.5 y). Decode only.
class cCodecMd5Model : public cIO::ModelCodec {
public:
    bool CanEncode() const override { return false; }
    bool Decode(cStream& in, cModel& out) const override;
    bool Encode(const cModel&, cStream&) const override { return false; }
};

// md5anim text: the hierarchy, base frame and frames posed into one key per
// joint and frame, in the same space as md5mesh. Decode only; an animation of
// more keys than the decode limit (512 MiB of keys) is refused.
class cCodecMd5Anim : public cIO::AnimCodec {
public:
    bool CanEncode() const override { return false; }
    bool Decode(cStream& in, cAnim& out) const override;
    bool Encode(const cAnim&, cStream&) const override { return false; }
};

}  // namespace tovan
