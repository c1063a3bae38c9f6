#!/usr/bin/python3
"""Makes the native model, animation, camera-set and BSP files in
tests/data/{model,anim,camera,bsp}, written here field by field from the format
tables, independently of the framework's encoders. The tests decode them and
check the values below; they are also the fuzz targets' seeds. Run this only
to remake them.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def save(kind, name, data):
    folder = os.path.join(HERE, kind)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def text(s):
    b = s.encode()
    return struct.pack("<h", len(b)) + b


def unit(v):  # i16 standing for v / 32767, written by truncation
    return struct.pack("<h", int(v * 32767))


def p16(v):  # i16 standing for v * 256 / 32767
    return struct.pack("<h", int(v * 32767 / 256))


def static_vertex(pos, uv, normal, tangent, bitangent):
    out = struct.pack("<3f", *pos) + struct.pack("<2f", *uv)
    for vec in (normal, tangent, bitangent):
        out += b"".join(unit(c) for c in vec)
    return out


def model_static():
    # One joint, one triangle mesh with u16 indices.
    out = struct.pack("<HBh", 0x6D63, 0, 1)
    out += text("root") + struct.pack("<h", -1) + struct.pack("<3f", 1, 2, 3) + unit(0) + unit(0) + unit(0.6)
    out += struct.pack("<hB", 1, 1)
    out += text("tri") + text("Stone.Wall")
    out += struct.pack("<i", 3) + struct.pack("<3H", 0, 1, 2)
    out += struct.pack("<i", 3)
    out += static_vertex((0, 0, 0), (0, 0), (0, 0, 1), (1, 0, 0), (0, 1, 0))
    out += static_vertex((1, 0, 0), (1, 0), (0.6, 0, 0.8), (1, 0, 0), (0, 1, 0))
    out += static_vertex((0, 1, 0), (0, 1), (0, 0, -1), (-1, 0, 0), (0, -1, 0))
    out += struct.pack("<6f", 0, 0, 0, 1, 1, 0.1)
    return out


def model_skinned():
    # Two joints, one mesh with u32 indices and skinned vertices.
    out = struct.pack("<HBh", 0x6D63, 1, 2)
    out += text("hip") + struct.pack("<h", -1) + struct.pack("<3f", 0, 1, 0) + unit(0) + unit(0) + unit(0)
    out += text("knee") + struct.pack("<h", 0) + struct.pack("<3f", 0, 0.5, 0) + unit(0.5) + unit(0) + unit(0)
    out += struct.pack("<hB", 1, 0)
    out += text("") + text("Skin.Leg")
    out += struct.pack("<i", 3) + struct.pack("<3I", 2, 1, 0)
    out += struct.pack("<i", 3)
    for i in range(3):
        out += static_vertex((i, 0, 0), (0.5, 0.5), (0, 1, 0), (1, 0, 0), (0, 0, 1))
        out += struct.pack("<4B", 0, 1, 0, 0) + unit(0.75) + unit(0.25) + unit(0) + unit(0)
    out += struct.pack("<6f", 0, 0, 0, 2, 0.1, 0.1)
    return out


def anim_walk():
    out = struct.pack("<HBhh", 0x6163, 0, 30, 2)
    out += text("hip") + struct.pack("<h", -1) + text("knee") + struct.pack("<h", 0)
    out += struct.pack("<i", 2)
    for frame in range(2):
        for joint in range(2):
            out += p16(1.0) + p16(frame) + p16(-joint)            # position
            out += unit(0) + unit(0.6 if joint else 0) + unit(0)  # rotation x, y, z
            out += p16(1) + p16(1) + p16(1)                       # scale
    for frame in range(2):
        out += p16(1.0) + p16(frame) + p16(-1) + p16(1.0) + p16(frame) + p16(0)
    return out


def camera_path():
    out = struct.pack("<HBii", 0x6363, 0, 10, 2)
    out += text("intro") + struct.pack("<ffii", 0.5, 60, 0, 3)
    for k in range(3):
        out += struct.pack("<3f", k, 0, -5) + struct.pack("<3f", 0, 0, 0) + p16(90.0)
    half = math.sqrt(0.5)
    out += text("orbit") + struct.pack("<ffii", 1, 45, 20, 1)
    out += struct.pack("<3f", 0, 10, 0) + struct.pack("<3f", half, 0, 0) + p16(45.0)
    return out


def bsp_node(corners, attribute, flags):
    return b"".join(struct.pack("<3f", *c) for c in corners) + struct.pack("<iB", attribute, flags)


def bsp_tree():
    # A root with both children, the left one with a left child of its own.
    out = struct.pack("<HB", 0x6263, 0)
    out += bsp_node(((0, 0, 0), (4, 0, 0), (0, 4, 0)), 1, 3)
    out += bsp_node(((0, 0, 1), (2, 0, 1), (0, 2, 1)), 2, 1)
    out += bsp_node(((0, 0, -1), (0, 2, -1), (2, 0, -1)), 3, 0)
    out += bsp_node(((5, 5, 5), (5, 5, 5), (5, 5, 5)), 4, 0)  # degenerate
    return out


save("model", "static_tri.cm", model_static())
save("model", "skinned.cm", model_skinned())
save("anim", "walk.ca", anim_walk())
save("camera", "path.cc", camera_path())
save("bsp", "tree.cBsp", bsp_tree())
